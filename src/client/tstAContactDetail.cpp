#include "client/tstAContactDetail.h"

#include "client/tstRequestEnvelope.h"

namespace {

const char kSource[] = "tstAContactDetail";

constexpr unsigned short kObjectContactDetail = 3;

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

  TRequestEnvelope request(kObjectContactDetail, detail.Size(), true);
  Diag(TDiag::INFO, __LINE__, kSource,
       "AContactDetail::SendRequest: Sending request - Object = %d, Action = %d, ",
       static_cast<int>(request.Header().GetObject()),
       static_cast<int>(request.Header().GetAction()));
  if (!request.Open(__LINE__, kSource))
    return TRequestEnvelope::kNoBuffer;
  request.Body() << detail;

  const TRequestEnvelope::Outcome outcome = request.Send(*this, replyFlag);
  if (!outcome.delivered) {
    Diag(TDiag::INFO, __LINE__, kSource, "AContactDetail::SendRequest: Error occured - rc = %d",
         static_cast<int>(outcome.errorCode));
    return outcome.result;
  }
  if (replyFlag == 0)
    return 0;

  // The decoding status is what the trace shows; the server's code is what the caller gets.
  unsigned short status = 0;
  TMsgReplyHdr reply;
  try {
    TPack in(request.ReplyData(), request.ReplySize());
    in >> reply >> detail;
  } catch (...) {
    status = TRequestEnvelope::kBadReply;
  }
  Diag(TDiag::INFO, __LINE__, kSource, "AContactDetail::SendRequest: Received reply - rc = %d",
       static_cast<int>(status));
  if (status != 0)
    return status;
  *value = reply.GetReturnValue();
  return reply.GetReturnCode();
}
