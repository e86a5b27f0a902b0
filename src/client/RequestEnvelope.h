// TRequestEnvelope: one synchronous request to the Statistics Server.
//
// Every request operation of the library is built the same way: a request header (version 11,
// release 0, data size, object, action) and a body packed into one buffer taken from the
// framework's memory accounting, sent as a TRPC of type 5000 with a time-out of 480000 ms to
// the server name of AStatisticsServer, on the reply queue of the sending proxy. The envelope
// owns the header, the buffer and the call for the duration of one operation; its destructor
// releases the buffer (under the memory-trace lock when tracing is on).
//
// RequestCall.h runs the one sequence every operation follows. Packing exceptions pass to the
// caller; the destructor still releases the buffer.
#ifndef STATCLIENT_CLIENT_REQUESTENVELOPE_H_
#define STATCLIENT_CLIENT_REQUESTENVELOPE_H_

#include <optional>

#include "framework/TFramework.h"
#include "framework/TPack.h"
#include "genericserver/TMsgRequestHdr.h"

class TRequestEnvelope {
public:
  static constexpr unsigned short kVersion = 11;
  static constexpr unsigned short kRelease = 0;
  static constexpr unsigned short kRpcType = 5000;
  static constexpr unsigned long kTimeoutMs = 480000;

  // Result codes of the envelope itself.
  static constexpr unsigned short kBadReply = 5709;
  static constexpr unsigned short kNoServer = 5715;
  static constexpr unsigned short kNoBuffer = 5737;

  // The framework's last error that becomes kNoServer (compared on its low 16 bits).
  static constexpr unsigned short kLastErrorNoServer = 32771;

  // The header gets the data size `bodySize`, or `bodySize` plus the header's own size when
  // `sizeCountsHeader` (the contact-detail request).
  TRequestEnvelope(unsigned short object, unsigned long bodySize, bool sizeCountsHeader = false);
  ~TRequestEnvelope();

  TRequestEnvelope(const TRequestEnvelope &) = delete;
  TRequestEnvelope &operator=(const TRequestEnvelope &) = delete;

  void SetAction(unsigned short action) { header_.SetAction(action); }
  const TMsgRequestHdr &Header() const { return header_; }
  unsigned long BodySize() const { return bodySize_; }

  // Takes a buffer for header and body and packs the header into it. False when the memory
  // accounting has none: nothing is sent then and the caller returns kNoBuffer.
  bool Open(unsigned short line, const char *file);
  // The pack to write the body into, after Open succeeded.
  TPack &Body() { return *pack_; }

  struct Outcome {
    // True when the call was delivered and its return code is 0.
    bool delivered;
    // When not delivered: the code for the "Error occured" diagnostic (the framework's last
    // error or the call's return code, low 16 bits) and the operation's result code.
    unsigned short errorCode;
    unsigned short result;
  };
  Outcome Send(TFramework &via, unsigned char replyFlag);

  // The call, after Send.
  const TRPC &Call() const { return *rpc_; }
  // The reply body of a delivered call (null and 0 when there is none).
  void *ReplyData() { return rpc_ ? rpc_->GetReplyPointer() : nullptr; }
  unsigned long ReplySize() const { return rpc_ ? rpc_->GetReplySize() : 0; }

private:
  TMsgRequestHdr header_;
  unsigned long bodySize_;
  void *buffer_ = nullptr;
  unsigned short bufferLine_ = 0;
  const char *bufferFile_ = nullptr;
  // Held in place, so that a request allocates nothing beyond its buffer.
  std::optional<TPack> pack_;
  std::optional<TRPC> rpc_;
};

#endif // STATCLIENT_CLIENT_REQUESTENVELOPE_H_
