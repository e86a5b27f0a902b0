// statdump's decoding and reporting: every event in the table round-trips as text and JSON,
// hostile payloads and inputs are reported (never printed as if decoded), and the input
// helpers parse hex and capture file names.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "event_cases.h"
#include "statdump/Inputs.h"
#include "statdump/Report.h"
#include "statsupport/EventTable.h"
#include "statsupport/JsonSink.h"
#include "support/Spans.h"

namespace {

using statdump::Format;

// The table entry whose class decodes `bytes` to exactly the JSON of `event`.
template <class E> const statsupport::EventEntry *EntryOf(const E &event, const Bytes &bytes) {
  const nlohmann::json expected = statsupport::ToJson(event);
  for (const statsupport::EventEntry *e = statsupport::begin(); e != statsupport::end(); ++e) {
    statsupport::JsonSink sink;
    try {
      const statsupport::DecodeResult result = e->decode(bytes.data(), bytes.size(), sink);
      if (result.consumed == bytes.size() && sink.Result() == expected)
        return e;
    } catch (const TPackError &) {
    }
  }
  return nullptr;
}

statdump::Report Decode(const statsupport::EventEntry &entry, const Bytes &bytes,
                        Format format = Format::kText, const std::string &dump = "") {
  return statdump::DecodePayload(entry, bytes, format, "payload", dump);
}

template <class E> class StatdumpRoundTrip : public ::testing::Test {};
TYPED_TEST_SUITE(StatdumpRoundTrip, EventTypes, );

// Text lines are the records' own texts, JSON lines parse back to the records' fields, and a
// trailing byte is reported without losing the records.
TYPED_TEST(StatdumpRoundTrip, PrintsEveryRecordAsTextAndJson) {
  TypeParam event = FilledEvent<TypeParam>(3);
  Bytes bytes = Packed(event);
  const statsupport::EventEntry *entry = EntryOf(event, bytes);
  ASSERT_NE(entry, nullptr);
  nlohmann::json eventFields = statsupport::ToJson(event);
  eventFields.erase("EventDataList");

  const statdump::Report text = Decode(*entry, bytes);
  const statdump::Report json = Decode(*entry, bytes, Format::kJson);
  for (const statdump::Report *report : {&text, &json}) {
    EXPECT_EQ(report->status, statdump::kExitDecoded);
    EXPECT_EQ(report->diagnostic, "");
    ASSERT_EQ(report->lines.size(), 3u);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    auto *record = event.EventDataList[i];
    EXPECT_EQ(text.lines[i],
              std::string(entry->eventName) + "[" + std::to_string(i) + "] " + record->ToString());
    const nlohmann::json line = nlohmann::json::parse(json.lines[i]);
    EXPECT_EQ(line["event"], entry->eventName);
    EXPECT_EQ(line["id"], entry->id);
    EXPECT_EQ(line["class"], entry->className);
    EXPECT_EQ(line["record"], i);
    EXPECT_EQ(line["eventFields"], eventFields);
    EXPECT_EQ(line["fields"], statsupport::ToJson(*record));
  }

  const std::size_t size = bytes.size();
  bytes.push_back(0xEE);
  bytes.push_back(0xEF);
  const statdump::Report leftOver = Decode(*entry, bytes, Format::kJson);
  EXPECT_EQ(leftOver.status, statdump::kExitLeftOver);
  EXPECT_EQ(leftOver.lines, json.lines);
  EXPECT_NE(leftOver.diagnostic.find("2 bytes left over at offset " + std::to_string(size)),
            std::string::npos)
      << leftOver.diagnostic;
}

// The numbers of a break line: offset, record (none when it broke in the count) and the bytes
// expected and available.
struct BreakLine {
  unsigned long offset;
  std::optional<unsigned long> record;
  std::string field;
  unsigned long needed;
  unsigned long available;
};

std::optional<BreakLine> ParseBreak(const std::string &line) {
  static const std::regex kLine(
      R"(^payload: (\w+) stopped decoding at byte offset (\d+), record (\d+|none \(list count\)), )"
      R"(field (\S+): expected (\d+) bytes, (\d+) available$)");
  std::smatch match;
  if (!std::regex_match(line, match, kLine))
    return std::nullopt;
  BreakLine parsed{std::stoul(match[2]), std::nullopt, match[4], std::stoul(match[5]),
                   std::stoul(match[6])};
  if (match[3].str()[0] != 'n')
    parsed.record = std::stoul(match[3]);
  return parsed;
}

// Cutting a rich event (rows nested in rows, strings, a time stamp) at every byte gives the
// break line, with the offset and bytes left adding up to the cut and the record that holds
// the cut, and never a record line.
TEST(StatdumpHostile, EveryTruncationOfARichEventNamesWhereItBroke) {
  using Event = TContactResultsCumulativeEvent;
  Event event;
  EventCase<Event>::Fill(*AddRecord(event), 1);
  const std::size_t firstRecordEnd = Packed(event).size();
  EventCase<Event>::Fill(*AddRecord(event), 2);
  const Bytes bytes = Packed(event);
  const statsupport::EventEntry *entry = EntryOf(event, bytes);
  ASSERT_NE(entry, nullptr);

  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    const statdump::Report report = Decode(*entry, Bytes(bytes.begin(), bytes.begin() + cut));
    EXPECT_EQ(report.status, statdump::kExitBroken);
    EXPECT_TRUE(report.lines.empty());
    const std::optional<BreakLine> line = ParseBreak(report.diagnostic);
    ASSERT_TRUE(line) << report.diagnostic;
    EXPECT_EQ(line->offset + line->available, cut);
    EXPECT_GT(line->needed, line->available);
    if (cut < EventCase<Event>::kCountOffset + 4) {
      EXPECT_FALSE(line->record) << line->field;
    } else {
      ASSERT_TRUE(line->record) << line->field;
      EXPECT_EQ(*line->record, cut < firstRecordEnd ? 0u : 1u);
      EXPECT_EQ(line->field.rfind("EventDataList[" + std::to_string(*line->record) + "].", 0), 0u)
          << line->field;
    }
  }
}

Bytes Int32(long value) {
  return PackedBytes([&](TPack &pack) { pack << value; });
}

Bytes Concat(Bytes a, const Bytes &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Counts that lie: a huge one fails at the first short read, a negative one reads as empty and
// leaves the rest over; text that is not UTF-8 still gives JSON that parses.
TEST(StatdumpHostile, LyingCountsAndRawTextAreReportedNotCrashed) {
  const auto *group = statsupport::FindByName("GROUPREALTIMEEVENT");
  const auto *contact = statsupport::FindByName("TContactRealTimeEvent");
  ASSERT_TRUE(group && contact);
  struct Case {
    const char *name;
    const statsupport::EventEntry *entry;
    Bytes bytes;
    int status;
    const char *diagnostic;
  };
  const Case cases[] = {
      {"empty",
       group,
       {},
       statdump::kExitBroken,
       "at byte offset 0, record none (list count), field"},
      {"huge count", group, Concat(Int32(0x7FFFFFFF), {1, 2, 3}), statdump::kExitBroken,
       "at byte offset 4, record 0, field EventDataList[0]."},
      {"count of minus one", group, Concat(Int32(-1), Int32(7)), statdump::kExitLeftOver,
       "decoded 0 records from 4 bytes; 4 bytes left over at offset 4"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const statdump::Report report = Decode(*c.entry, c.bytes, Format::kJson);
    EXPECT_EQ(report.status, c.status);
    EXPECT_TRUE(report.lines.empty());
    EXPECT_NE(report.diagnostic.find(c.diagnostic), std::string::npos) << report.diagnostic;
  }

  TContactRealTimeEvent event;
  EventCase<TContactRealTimeEvent>::Fill(*AddRecord(event), 1);
  event.EventDataList[0]->CID = "\xFF\xFE not text";
  const statdump::Report report = Decode(*contact, Packed(event), Format::kJson);
  ASSERT_EQ(report.lines.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(report.lines[0])["fields"]["CID"], "\uFFFD\uFFFD not text");
}

// The pack dump is appended for a payload that decodes and for one that breaks; a dump file
// that cannot be written is an input error.
TEST(StatdumpHostile, PackDumpIsWrittenEvenWhenThePayloadBreaks) {
  const auto *group = statsupport::FindByName("GROUPREALTIMEEVENT");
  const std::string path = ::testing::TempDir() + "statdump_pack_dump.txt";
  std::remove(path.c_str());
  Decode(*group, Int32(0), Format::kText, path);
  const auto afterOne = std::filesystem::file_size(path);
  EXPECT_GT(afterOne, 0u);
  EXPECT_EQ(Decode(*group, Int32(3), Format::kText, path).status, statdump::kExitBroken);
  EXPECT_GT(std::filesystem::file_size(path), afterOne);
  EXPECT_THROW(Decode(*group, Int32(0), Format::kText, "/nonexistent/dir/dump.txt"),
               statdump::InputError);
  std::remove(path.c_str());
}

TEST(StatdumpInputs, HexFileNamesAndCaptureDirectories) {
  EXPECT_EQ(statdump::ParseHex(" 0a0B\n\t0c ff"), (Bytes{0x0A, 0x0B, 0x0C, 0xFF}));
  EXPECT_EQ(statdump::ParseHex(""), Bytes{});
  for (const char *malformed : {"0g", "abc", "0x01", "01 2"})
    EXPECT_THROW(statdump::ParseHex(malformed), statdump::InputError) << malformed;

  EXPECT_EQ(statdump::EventIdFromFileName("capture/000012-3.bin"), 3);
  EXPECT_EQ(statdump::EventIdFromFileName("000001-1205.bin"), 1205);
  for (const char *other : {"3.bin", "000001-.bin", "000001-3.bin.txt", "dir-3.bin/x", "-x.bin"})
    EXPECT_EQ(statdump::EventIdFromFileName(other), std::nullopt) << other;

  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / "statdump_capture";
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const char *name : {"000002-4.bin", "000010-3.bin", "000001-3.bin", "notes.txt"})
    std::ofstream(dir / name) << "x";
  EXPECT_EQ(
      statdump::ExpandInputs({dir.string(), "-"}),
      (std::vector<std::string>{(dir / "000001-3.bin").string(), (dir / "000002-4.bin").string(),
                                (dir / "000010-3.bin").string(), "-"}));
  fs::remove(dir / "000001-3.bin");
  fs::remove(dir / "000002-4.bin");
  fs::remove(dir / "000010-3.bin");
  EXPECT_THROW(statdump::ExpandInputs({dir.string()}), statdump::InputError);
  fs::remove_all(dir);
  EXPECT_THROW(statdump::ReadPayload((dir / "missing.bin").string(), false), statdump::InputError);
}

} // namespace
