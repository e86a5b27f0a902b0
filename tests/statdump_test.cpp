// statdump's decoding and reporting: records print as text and JSON lines, hostile payloads are
// reported (never printed as if decoded), and the command meets hostile files, hex and arguments.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
// leaves the rest over; both append the pack dump. Text that is not UTF-8 still gives JSON that
// parses.
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

  TContactRealTimeEvent event = FilledEvent<TContactRealTimeEvent>(1);
  event.EventDataList[0]->CID = "\xFF\xFE not text";
  const statdump::Report report = Decode("TContactRealTimeEvent", Packed(event), Format::kJson);
  ASSERT_EQ(report.lines.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(report.lines[0])["fields"]["CID"], "\uFFFD\uFFFD not text");
}

std::string Slurp(const std::filesystem::path &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The command run as a user runs it, in a directory of hostile inputs: every row gives its exit
// status, its message on standard error (none when it succeeds) and its number of record lines;
// JSON lines parse; standard output that cannot be written ends the run at its first failed
// write; no run crashes or holds more memory than its largest payload justifies.
TEST(StatdumpCommand, HostileFilesHexAndArgumentsGiveTheirStatusAndMessage) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("statdump_cli_" + std::to_string(::getpid()));
  fs::create_directories(dir / "captures");
  fs::create_directories(dir / "empty");
  const auto write = [&](const fs::path &name, const Bytes &bytes) {
    std::ofstream(dir / name).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
  };
  // 10,000 captures, one cut short, and a link to nowhere; `replay` is what they print, in order.
  std::string replay;
  for (int n = 0; n < 10000; ++n) {
    TGroupRealTimeEvent event = FilledEvent<TGroupRealTimeEvent>(1, n);
    Bytes bytes = Packed(event);
    bytes.resize(bytes.size() - (n == 5000));
    replay += n == 5000 ? "" : "GROUPREALTIMEEVENT[0] " + event.EventDataList[0]->ToString() + "\n";
    write("captures/" + std::to_string(100000 + n) + "-5006.bin", bytes);
  }
  fs::create_symlink("nowhere", dir / "captures" / "099999-5006.bin");
  write("\xff\xfe-5006.bin", Packed(FilledEvent<TGroupRealTimeEvent>(1)));
  write("\x1b[31m\xff-5006.bin", {1, 0});
  write("000001-5006.bin", {});
  for (const char *name : {"3.bin", "000001-.bin", "000001-5006.bin.txt", "-x.bin"})
    write(name, Packed(FilledEvent<TGroupRealTimeEvent>(1))); // names without an event id
  write("big-5006.bin", {});
  fs::resize_file(dir / "big-5006.bin", std::uintmax_t{2} << 30); // sparse: nothing is written

  const std::string broke = ": TGroupRealTimeEvent stopped decoding at byte offset 0, record none "
                            "(list count), field EventDataList: expected 4 bytes, ";
  const std::tuple<std::string, int, std::string, long> rows[] = {
      {"statdump 000001-5006.bin", 2, "statdump: 000001-5006.bin" + broke + "0 available", 0},
      {"statdump big-5006.bin", 1, "big-5006.bin: more than 16777216 bytes, the most a payload", 0},
      {"statdump -e 5006 /dev/zero", 1, "/dev/zero: more than 16777216 bytes", 0},
      {"tr '\\0' 0 <big-5006.bin | statdump --hex -e 5006 -", 1, "hex text for more than", 0},
      {"printf '0a 0g' | statdump --hex -e 5006 -", 1, "'g' at character 4 is not a hex digit", 0},
      {"printf 012 | statdump --hex -e 5006 -", 1, "hex digits, the last at character 2", 0},
      {"od -An -tx1 '\xff\xfe-5006.bin' | tr a-c A-C | statdump --hex -e 5006 -", 0, "", 1},
      {"statdump --format json '\xff\xfe-5006.bin' '\x1b[31m\xff-5006.bin'", 2,
       "statdump: \\x1b[31m\\xff-5006.bin" + broke + "2 available", 1},
      {"statdump captures", 2, "10000 inputs: 9999 decoded in full, 1 did not decode", 9999},
      {"statdump empty '\xff\xfe-5006.bin'", 1, "statdump: no .bin files in empty", 1},
      {"statdump -e 99999999999 x", 1, "unknown event \"99999999999\"", 0},
      {"statdump -e '' x", 1, "unknown event \"\"", 0},
      {"statdump 000001-4999.bin", 1, "000001-4999.bin: no event class for event id 4999", 0},
      {"statdump 3.bin 000001-.bin 000001-5006.bin.txt ./-x.bin", 1,
       "not end in -<event id>.bin\nstatdump: 4 inputs: 0 decoded in full, 0 did not decode", 0},
      {"statdump -e 5006 missing.bin", 1, "cannot open missing.bin", 0},
      {"statdump -e 5006 --pack-dump /no/d - </dev/null", 1, "cannot write the pack dump", 0},
      {"statdump --bogus x", 1, "The following argument was not expected: --bogus", 0},
      {"statdump '\xff\xfe-5006.bin' >/dev/full", 4,
       "statdump: cannot write standard output: No space left on device", 0},
      {"statdump captures >/dev/full; s=$?; echo end >&2; exit $s", 4,
       "statdump: cannot write standard output: No space left on device\nend\n", 0},
  };
  for (const auto &[row, exit, message, lines] : rows) {
    const std::string command = "statdump() { '" + std::string(STATDUMP_PATH) +
                                "' \"$@\"; }; cd '" + dir.string() + "' && { " + row +
                                "; } >out 2>err";
    const int status = std::system(command.c_str());
    const std::string out = Slurp(dir / "out"), err = Slurp(dir / "err");
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, exit) << row << err;
    EXPECT_TRUE(message.empty() ? err.empty() : err.find(message) != std::string::npos) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), lines) << row;
    EXPECT_TRUE(row != "statdump captures" || out == replay) << "not in name order";
    EXPECT_TRUE(row.find("json") == std::string::npos || nlohmann::json::accept(out)) << out;
  }
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  EXPECT_LT(children.ru_maxrss, 256 * 1024) << "KiB resident at the peak of the largest run";
  fs::remove_all(dir);
}

} // namespace
