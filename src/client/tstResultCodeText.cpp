#include "client/tstResultCodeText.h"

#include "client/RequestEnvelope.h"
#include "framework/TFramework.h"
#include "genericserver/TKIVOServerBase.h"

namespace {

const char *KnownMeaning(unsigned long code) {
  switch (code) {
  case 0:
    return "success";
  case TRequestEnvelope::kBadReply:
    return "the server's reply could not be decoded";
  case TRequestEnvelope::kNoServer:
    return "no Statistics Server is bound under the server name";
  case TRequestEnvelope::kNoBuffer:
    return "no request buffer could be obtained; nothing was sent";
  case TKIVOServerBase::kBadRequest:
    return "the server refused the request header or its version";
  case TFramework::kErrNoServer:
    return "the framework found no server under the destination name";
  case TFramework::kErrTimeout:
    return "the server did not reply before the time-out";
  case TFramework::kErrHandlerFailed:
    return "the server's handler failed while handling the request";
  default:
    return nullptr;
  }
}

} // namespace

std::string ResultCodeText(unsigned long code) {
  const char *meaning = KnownMeaning(code);
  return std::to_string(code) + ": " +
         (meaning != nullptr ? meaning : "a code of the server's own, passed through from it");
}
