// The one sequence every request operation follows:
//
//   1. the operation's body packer runs into a counting pack, which stores and allocates
//      nothing: what it counts is the body's size; the envelope is built with it, the action set;
//   2. the operation writes its "Sending request" trace from the header;
//   3. a buffer is taken (none: 5737, nothing sent), header and body are packed into it, the
//      body by the same packer, so the size in the header is that of the bytes that follow it;
//   4. the call is sent and waited for; a failure writes "<operation>: Error occured - rc = N"
//      and gives the envelope's result code;
//   5. with a reply wanted, the operation decodes it and gives the result code;
//   6. the envelope releases the buffer on every exit.
//
// Exceptions raised while packing reach the caller, unless the plan turns every exception
// raised from step 3 on into a SEVR "<operation>: Exception occured" line and 5709.
#ifndef STATCLIENT_CLIENT_REQUESTCALL_H_
#define STATCLIENT_CLIENT_REQUESTCALL_H_

#include "client/RequestEnvelope.h"
#include "framework/TDiag.h"
#include "framework/TFramework.h"
#include "framework/TPack.h"
#include "genericserver/TMsgRequestHdr.h"

namespace statcore {

// The object codes of the request header, one per kind of request.
enum RequestObject : unsigned short {
  kErrorRecordObject = 1,
  kContactLogObject = 2,
  kContactDetailObject = 3,
  kRequestEventObject = 4,
  kRefreshRateObject = 5,
};

// The reply flag of a call: whether the server's reply body is wanted.
inline constexpr unsigned char kNoReply = 0;
inline constexpr unsigned char kReplyWanted = 1;

struct RequestPlan {
  const char *source;    // the source name of the diagnostics and the buffer
  const char *operation; // "Class::Operation", the prefix of the diagnostics
  unsigned short object;
  unsigned short action;
  bool sizeCountsHeader; // the header's data size includes the header (contact detail)
  unsigned char replyFlag;
  bool exceptionsAreBadReplies;
};

// Bytes that `packBody` packs, counted by running it into a pack that stores nothing.
template <class PackBody> unsigned long PackedBodySize(PackBody &packBody) {
  TPack counter(0);
  packBody(counter);
  return counter.BufferSizeRequired();
}

// `trace(header)` writes the sending trace, `packBody(pack)` packs the body (twice: counting,
// then into the buffer; it must pack the same bytes each time), and `decodeReply(envelope)`
// gives the result of a delivered call when a reply is wanted.
template <class Trace, class PackBody, class DecodeReply>
unsigned short CallServer(TFramework &via, const RequestPlan &plan, Trace &&trace,
                          PackBody &&packBody, DecodeReply &&decodeReply) {
  TRequestEnvelope request(plan.object, PackedBodySize(packBody), plan.sizeCountsHeader);
  request.SetAction(plan.action);
  trace(request.Header());
  auto exchange = [&]() -> unsigned short {
    if (!request.Open(__LINE__, plan.source))
      return TRequestEnvelope::kNoBuffer;
    packBody(request.Body());
    const TRequestEnvelope::Outcome outcome = request.Send(via, plan.replyFlag);
    if (!outcome.delivered) {
      Diag(TDiag::INFO, __LINE__, plan.source, "%s: Error occured - rc = %d", plan.operation,
           static_cast<int>(outcome.errorCode));
      return outcome.result;
    }
    return plan.replyFlag == 0 ? 0 : decodeReply(request);
  };
  if (!plan.exceptionsAreBadReplies)
    return exchange();
  try {
    return exchange();
  } catch (...) {
    Diag(TDiag::SEVR, __LINE__, plan.source, "%s: Exception occured", plan.operation);
    return TRequestEnvelope::kBadReply;
  }
}

// For operations whose reply carries nothing to decode.
inline unsigned short NoReplyBody(TRequestEnvelope &) { return 0; }

} // namespace statcore

#endif // STATCLIENT_CLIENT_REQUESTCALL_H_
