#include "client/tstAContactDetail.h"

#include "client/RequestCall.h"

namespace {

const char kSource[] = "tstAContactDetail";

} // namespace

AContactDetail::AContactDetail() = default;

AContactDetail::AContactDetail(const AContactDetail &other)
    : TContactDetail(), AStatisticsServer() {
  *this = other;
}

AContactDetail &AContactDetail::operator=(const AContactDetail &other) {
  TContactDetail::operator=(other);
  return *this;
}

AContactDetail::~AContactDetail() = default;

unsigned short AContactDetail::QueryContactDetail() {
  Diag(TDiag::FENX, __LINE__, kSource, "AContactDetail::QueryContactDetail: Start.");
  long value = 0;
  const unsigned short result = SendRequest(&value, IsAsynchronousEvent() ? 0 : 1);
  Diag(TDiag::FENX, __LINE__, kSource, "AContactDetail::QueryContactDetail: End.");
  return result;
}

unsigned short AContactDetail::SendRequest(long *value, unsigned char replyFlag) {
  *value = 0;
  TContactDetail &detail = *this;
  const statcore::RequestPlan plan{
      kSource, "AContactDetail::SendRequest", statcore::kContactDetailObject, 0, true, replyFlag,
      false};
  return statcore::CallServer(
      *this, plan,
      [](const TMsgRequestHdr &header) {
        Diag(TDiag::INFO, __LINE__, kSource,
             "AContactDetail::SendRequest: Sending request - Object = %d, Action = %d, ",
             static_cast<int>(header.GetObject()), static_cast<int>(header.GetAction()));
      },
      [&](TPack &body) { body << detail; },
      [&](TRequestEnvelope &request) -> unsigned short {
        // The reply is the header, then the detail. The decoding status is what the trace
        // shows; the server's code is what the caller gets.
        unsigned short status = 0;
        TMsgReplyHdr reply;
        try {
          TPack in(request.ReplyData(), request.ReplySize());
          in >> reply >> detail;
        } catch (...) {
          status = TRequestEnvelope::kBadReply;
        }
        Diag(TDiag::INFO, __LINE__, kSource,
             "AContactDetail::SendRequest: Received reply - rc = %d", static_cast<int>(status));
        if (status != 0)
          return status;
        *value = reply.GetReturnValue();
        return reply.GetReturnCode();
      });
}
