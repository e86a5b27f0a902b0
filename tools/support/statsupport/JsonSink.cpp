#include "statsupport/JsonSink.h"

#include <string>

namespace statsupport {

JsonSink::JsonSink() : root_(nlohmann::json::object()), open_{&root_} {}

nlohmann::json &JsonSink::Add(std::string_view key, nlohmann::json value) {
  nlohmann::json &into = *open_.back();
  if (into.is_array()) {
    into.push_back(std::move(value));
    return into.back();
  }
  nlohmann::json &slot = into[std::string(key)];
  slot = std::move(value);
  return slot;
}

void JsonSink::Integer(std::string_view key, long long value) { Add(key, value); }
void JsonSink::Real(std::string_view key, double value) { Add(key, value); }
void JsonSink::Boolean(std::string_view key, bool value) { Add(key, value); }
void JsonSink::Text(std::string_view key, std::string_view value) { Add(key, std::string(value)); }
void JsonSink::BeginObject(std::string_view key) {
  open_.push_back(&Add(key, nlohmann::json::object()));
}
void JsonSink::BeginArray(std::string_view key) {
  open_.push_back(&Add(key, nlohmann::json::array()));
}
void JsonSink::EndObject() {
  if (open_.size() > 1)
    open_.pop_back();
}
void JsonSink::EndArray() { EndObject(); }

} // namespace statsupport
