// A TFieldSink that builds a JSON value: records become objects under their labels, arrays
// become arrays, numbers stay numbers. Used by the tools for one JSON object per line.
#ifndef STATCLIENT_SUPPORT_JSONSINK_H_
#define STATCLIENT_SUPPORT_JSONSINK_H_

#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include <statclient/statclient.h>

namespace statsupport {

class JsonSink : public TFieldSink {
public:
  JsonSink();
  // The object built so far (complete once the walk has returned).
  const nlohmann::json &Result() const { return root_; }

  void Integer(std::string_view key, long long value) override;
  void Real(std::string_view key, double value) override;
  void Boolean(std::string_view key, bool value) override;
  void Text(std::string_view key, std::string_view value) override;
  void BeginObject(std::string_view key) override;
  void EndObject() override;
  void BeginArray(std::string_view key) override;
  void EndArray() override;

private:
  nlohmann::json &Add(std::string_view key, nlohmann::json value);

  nlohmann::json root_;
  std::vector<nlohmann::json *> open_;
};

// The record or event walked into a JSON object.
template <class Record> nlohmann::json ToJson(const Record &record) {
  JsonSink sink;
  WalkFields(record, sink);
  return sink.Result();
}

} // namespace statsupport

#endif // STATCLIENT_SUPPORT_JSONSINK_H_
