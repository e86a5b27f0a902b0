#include "statdump/Report.h"

#include <exception>
#include <fstream>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "statsupport/JsonSink.h"

namespace statdump {
namespace {

// Renders each visited record as one output line.
class LineCollector : public statsupport::RecordVisitor {
public:
  LineCollector(const statsupport::EventEntry &entry, Format format)
      : entry_(entry), format_(format) {}

  void Event(const std::function<void(TFieldSink &)> &walkEvent) override {
    if (format_ != Format::kJson)
      return;
    statsupport::JsonSink event;
    walkEvent(event);
    eventFields_ = event.Result();
    eventFields_.erase("EventDataList");
  }

  void Record(std::size_t index, const std::string &text,
              const std::function<void(TFieldSink &)> &walkFields) override {
    if (format_ == Format::kText) {
      lines_.push_back(std::string(entry_.eventName) + "[" + std::to_string(index) + "] " + text);
      return;
    }
    statsupport::JsonSink fields;
    walkFields(fields);
    const nlohmann::json line = {{"event", entry_.eventName}, {"id", entry_.id},
                                 {"class", entry_.className}, {"eventFields", eventFields_},
                                 {"record", index},           {"fields", fields.Result()}};
    // Text fields carry whatever bytes the payload held: bytes that are not UTF-8 become U+FFFD
    // rather than an exception half-way through the line.
    lines_.push_back(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  }

  std::vector<std::string> Take() { return std::move(lines_); }

private:
  const statsupport::EventEntry &entry_;
  Format format_;
  nlohmann::json eventFields_ = nlohmann::json::object();
  std::vector<std::string> lines_;
};

// The record index in a break path "EventDataList[2].CID"; none when it broke outside the list
// (in the count itself).
std::optional<unsigned long> RecordIndexOf(const std::string &path) {
  constexpr const char kList[] = "EventDataList[";
  const std::size_t at = path.find(kList);
  if (at == std::string::npos)
    return std::nullopt;
  try {
    return std::stoul(path.substr(at + sizeof kList - 1));
  } catch (const std::exception &) {
    return std::nullopt;
  }
}

std::string WhereItBroke(const statsupport::EventEntry &entry, const std::string &source,
                         const std::optional<unsigned long> &offset) {
  const std::string path = LastUnpackBreak();
  const std::optional<unsigned long> record = RecordIndexOf(path);
  std::ostringstream out;
  out << source << ": " << entry.className << " stopped decoding";
  if (offset)
    out << " at byte offset " << *offset;
  out << ", record " << (record ? std::to_string(*record) : std::string("none (list count)"));
  out << ", field " << (path.empty() ? std::string("unknown") : path);
  return out.str();
}

// Appends the dump of a pack over `payload` whose first `consumed` bytes have been read.
void DumpPack(const std::string &path, const Bytes &payload, unsigned long consumed) {
  if (path.empty())
    return;
  if (!std::ofstream(path, std::ios::app))
    throw InputError("cannot write the pack dump to " + path);
  Bytes copy = payload;
  TPack pack(copy.data(), static_cast<unsigned long>(copy.size()));
  pack.Behead(consumed);
  pack.DumpContentsToFile(path.c_str());
}

} // namespace

int MoreSevere(int status, int other) {
  auto rank = [](int s) {
    switch (s) {
    case kExitInputError:
      return 3;
    case kExitBroken:
      return 2;
    case kExitLeftOver:
      return 1;
    default:
      return 0;
    }
  };
  return rank(other) > rank(status) ? other : status;
}

Report DecodePayload(const statsupport::EventEntry &entry, const Bytes &payload, Format format,
                     const std::string &source, const std::string &packDumpPath) {
  Report report;
  LineCollector collector(entry, format);
  statsupport::DecodeResult result;
  try {
    result = entry.visit(payload.data(), payload.size(), collector);
  } catch (const TPackError &error) {
    report.status = kExitBroken;
    report.diagnostic = WhereItBroke(entry, source, error.Offset()) + ": expected " +
                        std::to_string(error.Needed()) + " bytes, " +
                        std::to_string(error.Available()) + " available";
    DumpPack(packDumpPath, payload, error.Offset());
    return report;
  } catch (const std::exception &error) {
    // A count the list cannot hold (std::length_error) or memory the count asked for.
    report.status = kExitBroken;
    report.diagnostic = WhereItBroke(entry, source, std::nullopt) + ": " + error.what();
    DumpPack(packDumpPath, payload, 0);
    return report;
  }
  report.lines = collector.Take();
  DumpPack(packDumpPath, payload, static_cast<unsigned long>(result.consumed));
  if (result.consumed < payload.size()) {
    report.status = kExitLeftOver;
    report.diagnostic = source + ": " + entry.className + " decoded " +
                        std::to_string(result.records) + " records from " +
                        std::to_string(result.consumed) + " bytes; " +
                        std::to_string(payload.size() - result.consumed) +
                        " bytes left over at offset " + std::to_string(result.consumed);
  }
  return report;
}

} // namespace statdump
