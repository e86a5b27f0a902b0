// Writes the seed corpora of the fuzz targets: small valid inputs of every family, each with
// one and two records and with every nested list holding one element, so that mutation starts
// from payloads that decode deep. Usage: make_corpus <dir>; writes <dir>/<target>/<seed>.
// The first byte of each seed selects the decoder exactly as its target does.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "FuzzDecode.h"
#include "statsupport/EventFamilies.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

void Write(const fs::path &dir, const std::string &name, std::uint8_t selector, const Bytes &body) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.put(static_cast<char>(selector));
  out.write(reinterpret_cast<const char *>(body.data()), static_cast<std::streamsize>(body.size()));
}

// Gives every nested list of a row one element; rows without nested lists stay default.
template <class Row> void Deepen(Row &) {}
void Deepen(TEventDataUserRealTime &row) {
  row.GK.push_back(7);
  row.MediaStatistics.emplace_back();
  row.PresenceStateStatistics.emplace_back();
  row.ContactStatistics.emplace_back();
  row.CSMStatistics.emplace_back();
}
void Deepen(TEventDataUserCumulative &row) { row.ContactTypeStatistics.emplace_back(); }
void Deepen(TEventDataRoutingStateCumulative &row) { row.RoutingStateStatistics.emplace_back(); }
void Deepen(TEventDataPostProcessingCumulative &row) { row.ReasonStatistics.emplace_back(); }
void Deepen(TEventDataContactResultsCumulative &row) {
  row.ContactResultsStatistics.emplace_back();
}

// Each family's seeds, named after its class. The families come in the event table's order, so
// that a family's index in the list is its selector in event_payload_fuzz.
void EventSeeds(const fs::path &dir) {
  std::uint8_t index = 0;
  statsupport::ForEachEventFamily([&](auto family) {
    typename decltype(family)::Event event;
    const std::string name = family.className;
    Write(dir, name + "-empty", index, Repack(event));
    Deepen(*AddRecord(event));
    Write(dir, name + "-one", index, Repack(event));
    AddRecord(event);
    Write(dir, name + "-two", index++, Repack(event));
  });
}

TContactDetail DeepContactDetail() {
  TContactDetail detail;
  detail.CallbackScheduleLogs.emplace_back();
  detail.CallbackAttemptLogs.emplace_back();
  detail.addOpenMediaContent(TOpenMediaContent());
  return detail;
}

// In the order of record_payload_fuzz's decoders.
void RecordSeeds(const fs::path &dir) {
  Write(dir, "TContactDetail-empty", 0, Repack(TContactDetail()));
  Write(dir, "TContactDetail-deep", 0, Repack(DeepContactDetail()));
  TQueryContactLogDataEvent logs;
  Write(dir, "TQueryContactLogDataEvent-empty", 1, Repack(logs));
  logs.ContactLogs.resize(2);
  Write(dir, "TQueryContactLogDataEvent-two", 1, Repack(logs));
  Write(dir, "TEventDataContactLog", 2, Repack(TEventDataContactLog()));
  Write(dir, "TEventDataUpdateContactLog", 3, Repack(TEventDataUpdateContactLog()));
  Write(dir, "TErrorRecord", 4, Repack(TErrorRecord()));
  Write(dir, "TCallbackAttemptLog", 5, Repack(TCallbackAttemptLog()));
  Write(dir, "TCallbackScheduleLog", 6, Repack(TCallbackScheduleLog()));
  Write(dir, "TOpenMediaContent", 7, Repack(TOpenMediaContent()));
}

// In reply_path_fuzz's layout: path, delivered, return code, last error, body.
Bytes Reply(bool delivered, std::uint32_t returnCode, std::uint32_t lastError, const Bytes &body) {
  Bytes reply{static_cast<unsigned char>(delivered ? 1 : 0)};
  for (std::uint32_t word : {returnCode, lastError})
    for (int shift = 0; shift < 32; shift += 8)
      reply.push_back(static_cast<unsigned char>(word >> shift));
  reply.insert(reply.end(), body.begin(), body.end());
  return reply;
}

void ReplySeeds(const fs::path &dir) {
  const Bytes header = Repack(TMsgReplyHdr(0, 42));
  Bytes detail = header;
  const Bytes deep = Repack(DeepContactDetail());
  detail.insert(detail.end(), deep.begin(), deep.end());
  Bytes update = Repack(17);
  update.insert(update.end(), header.begin(), header.end());
  const Bytes bodies[] = {detail, update, header, {}, {}, {}};
  for (std::uint8_t path = 0; path < 6; ++path) {
    const std::string name = "path" + std::to_string(path);
    Write(dir, name + "-reply", path, Reply(true, 0, 0, bodies[path]));
    Write(dir, name + "-code", path, Reply(true, 5001, 0, {}));
    Write(dir, name + "-noserver", path, Reply(false, 0, TFramework::kErrNoServer, {}));
  }
}

} // namespace

int main(int argc, char **argv) {
  CLI::App app{"Writes the seed corpora of the fuzz targets"};
  std::string root;
  app.add_option("dir", root, "corpus root; one folder per target is written")->required();
  CLI11_PARSE(app, argc, argv);
  EventSeeds(fs::path(root) / "event_payload_fuzz");
  RecordSeeds(fs::path(root) / "record_payload_fuzz");
  ReplySeeds(fs::path(root) / "reply_path_fuzz");
  return 0;
}
