// statdump's decoding and reporting: records print as text and JSON lines, hostile payloads and
// inputs are reported (never printed as if decoded), and the input helpers parse hex and capture
// file names.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
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
// A rich event: rows nested in rows, strings, a time stamp, and an event field of its own.
using Rich = TContactResultsCumulativeEvent;
constexpr char kRich[] = "TContactResultsCumulativeEvent";
constexpr char kGroup[] = "GROUPREALTIMEEVENT";

statdump::Report Decode(const char *event, const Bytes &bytes, Format format = Format::kText,
                        const std::string &dump = "") {
  return statdump::DecodePayload(*statsupport::FindByName(event), bytes, format, "payload", dump);
}

// Text lines are the records' own texts, JSON lines hold exactly the record's and the event's
// fields, and trailing bytes are reported without losing the records.
TEST(StatdumpDecode, PrintsEveryRecordAsTextAndJsonAndReportsLeftOverBytes) {
  Rich event = FilledEvent<Rich>(2);
  Bytes bytes = Packed(event);
  nlohmann::json eventFields = statsupport::ToJson(event);
  eventFields.erase("EventDataList");
  ASSERT_FALSE(eventFields.empty());

  const statdump::Report text = Decode(kRich, bytes);
  const statdump::Report json = Decode(kRich, bytes, Format::kJson);
  for (const statdump::Report *report : {&text, &json}) {
    EXPECT_EQ(report->status, statdump::kExitDecoded);
    EXPECT_EQ(report->diagnostic, "");
    ASSERT_EQ(report->lines.size(), 2u);
  }
  for (std::size_t i = 0; i < 2; ++i) {
    auto *record = event.EventDataList[i];
    EXPECT_EQ(text.lines[i],
              "WRAPUPREASONCUMULATIVEEVENT[" + std::to_string(i) + "] " + record->ToString());
    EXPECT_EQ(nlohmann::json::parse(json.lines[i]),
              (nlohmann::json{{"event", "WRAPUPREASONCUMULATIVEEVENT"},
                              {"id", TStatisticsServer::WRAPUPREASONCUMULATIVEEVENT},
                              {"class", kRich},
                              {"eventFields", eventFields},
                              {"record", i},
                              {"fields", statsupport::ToJson(*record)}}));
  }

  const std::string size = std::to_string(bytes.size());
  bytes.insert(bytes.end(), {0xEE, 0xEF});
  const statdump::Report leftOver = Decode(kRich, bytes, Format::kJson);
  EXPECT_EQ(leftOver.status, statdump::kExitLeftOver);
  EXPECT_EQ(leftOver.lines, json.lines);
  EXPECT_EQ(leftOver.diagnostic, "payload: TContactResultsCumulativeEvent decoded 2 records from " +
                                     size + " bytes; 2 bytes left over at offset " + size);
}

// A rich event cut short, in its header, its count, its first record and its last byte, breaks
// with one line naming the offset, the record that holds the cut and the field, and no record
// line.
TEST(StatdumpHostile, ATruncatedRichEventNamesWhereItBroke) {
  const Bytes bytes = Packed(FilledEvent<Rich>(2));
  const std::pair<std::size_t, const char *> cuts[] = {
      {2, "0, record none (list count), field TimeStamp: expected 15 bytes, 2 available"},
      {EventCase<Rich>::kCountOffset + 2,
       "15, record none (list count), field EventDataList: expected 4 bytes, 2 available"},
      {Packed(FilledEvent<Rich>(1)).size() - 1,
       "84, record 0, field "
       "EventDataList[0].ContactResultsStatistics[1].Count: expected 4 bytes, 3 available"},
      {bytes.size() - 1,
       "153, record 1, field "
       "EventDataList[1].ContactResultsStatistics[1].Count: expected 4 bytes, 3 available"},
  };
  for (const auto &[cut, line] : cuts) {
    const statdump::Report report = Decode(kRich, Bytes(bytes.begin(), bytes.begin() + cut));
    EXPECT_EQ(report.status, statdump::kExitBroken);
    EXPECT_TRUE(report.lines.empty());
    EXPECT_EQ(report.diagnostic, "payload: TContactResultsCumulativeEvent stopped decoding at "
                                 "byte offset " +
                                     std::string(line));
  }
}

// Counts that lie: a huge one fails at the first short read, a negative one reads as empty and
// leaves the rest over; both append the pack dump, and a dump file that cannot be written is an
// input error. Text that is not UTF-8 still gives JSON that parses.
TEST(StatdumpHostile, LyingCountsAndRawTextAreReportedNotCrashed) {
  const std::string dump = ::testing::TempDir() + "statdump_pack_dump.txt";
  std::remove(dump.c_str());
  Bytes hugeCount = PackedBytes([](TPack &pack) { pack << 0x7FFFFFFF << 0; });
  hugeCount.pop_back();
  const statdump::Report huge = Decode(kGroup, hugeCount, Format::kJson, dump);
  EXPECT_EQ(huge.status, statdump::kExitBroken);
  EXPECT_EQ(huge.diagnostic, "payload: TGroupRealTimeEvent stopped decoding at byte offset 4, "
                             "record 0, field EventDataList[0].VG: expected 4 bytes, 3 available");
  const auto afterBreak = std::filesystem::file_size(dump);
  const statdump::Report negative =
      Decode(kGroup, PackedBytes([](TPack &pack) { pack << -1 << 7; }), Format::kJson, dump);
  EXPECT_EQ(negative.status, statdump::kExitLeftOver);
  EXPECT_EQ(negative.diagnostic, "payload: TGroupRealTimeEvent decoded 0 records from 4 bytes; 4 "
                                 "bytes left over at offset 4");
  EXPECT_TRUE(huge.lines.empty() && negative.lines.empty());
  EXPECT_GT(afterBreak, 0u);
  EXPECT_GT(std::filesystem::file_size(dump), afterBreak);
  std::remove(dump.c_str());
  EXPECT_THROW(Decode(kGroup, {}, Format::kText, "/nonexistent/dir/dump.txt"),
               statdump::InputError);

  TContactRealTimeEvent event = FilledEvent<TContactRealTimeEvent>(1);
  event.EventDataList[0]->CID = "\xFF\xFE not text";
  const statdump::Report report = Decode("TContactRealTimeEvent", Packed(event), Format::kJson);
  ASSERT_EQ(report.lines.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(report.lines[0])["fields"]["CID"], "\uFFFD\uFFFD not text");
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

  // A capture directory expands to its .bin files in name order; one without any is an error.
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / "statdump_capture";
  fs::remove_all(dir);
  fs::create_directories(dir / "none");
  for (const char *name : {"000002-4.bin", "000010-3.bin", "000001-3.bin", "notes.txt"})
    std::ofstream(dir / name) << "x";
  std::ofstream(dir / "none" / "notes.txt") << "x";
  EXPECT_EQ(
      statdump::ExpandInputs({dir.string(), "-"}),
      (std::vector<std::string>{(dir / "000001-3.bin").string(), (dir / "000002-4.bin").string(),
                                (dir / "000010-3.bin").string(), "-"}));
  EXPECT_THROW(statdump::ExpandInputs({(dir / "none").string()}), statdump::InputError);
  fs::remove_all(dir);
  EXPECT_THROW(statdump::ReadPayload((dir / "missing.bin").string(), false), statdump::InputError);
}

} // namespace
