// A field sink that discards every field: for walking a record only to see that it walks.
#ifndef STATCLIENT_TOOLS_SUPPORT_STATSUPPORT_DISCARDINGSINK_H_
#define STATCLIENT_TOOLS_SUPPORT_STATSUPPORT_DISCARDINGSINK_H_

#include <string_view>

#include <statclient/statclient.h>

namespace statsupport {

class DiscardingSink : public TFieldSink {
public:
  void Integer(std::string_view, long long) override {}
  void Real(std::string_view, double) override {}
  void Boolean(std::string_view, bool) override {}
  void Text(std::string_view, std::string_view) override {}
  void BeginObject(std::string_view) override {}
  void EndObject() override {}
  void BeginArray(std::string_view) override {}
  void EndArray() override {}
};

} // namespace statsupport

#endif // STATCLIENT_TOOLS_SUPPORT_STATSUPPORT_DISCARDINGSINK_H_
