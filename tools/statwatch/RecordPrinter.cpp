#include "RecordPrinter.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include <statsim/EventClasses.h>
#include <statsupport/JsonSink.h>

namespace statwatch {

std::vector<std::string> RenderRecords(const TEvent &event, Format format,
                                       const std::string &time) {
  const int id = event.GetId();
  const auto idEnum = static_cast<TStatisticsServer::enSvrPublicEvents>(id);
  const std::string name = TStatisticsServer::ToString(idEnum);
  std::vector<std::string> lines;
  const bool known = statsim::VisitEventClass(id, [&](auto &decoded) {
    TPack pack(const_cast<void *>(event.GetData()), event.GetDataSize());
    pack >> decoded;
    for (auto *record : decoded.EventDataList) {
      if (format == Format::Text) {
        lines.push_back(time + " " + name + " " + record->ToString());
      } else {
        const nlohmann::json line = {
            {"time", time}, {"event", name}, {"id", id}, {"record", statsupport::ToJson(*record)}};
        // Text fields hold whatever bytes the server sent: bytes that are not UTF-8 become
        // U+FFFD rather than an exception that would end the watch.
        lines.push_back(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
      }
    }
  });
  if (!known)
    throw std::invalid_argument("no event class for id " + std::to_string(id));
  return lines;
}

std::string UtcNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%03dZ", static_cast<int>(millis));
  return std::string(text, length) + fraction;
}

} // namespace statwatch
