// Drives the reply path of every request through a bound server that answers with the
// fuzzer's bytes. Input: byte 0 picks the request, byte 1 bit 0 says whether the reply is
// delivered, bytes 2-5 are the call's return code, bytes 6-9 the undelivered reply's last
// error (both little-endian), the rest is the reply body.
//
// For each request the result code must be what the reply calls for: an undelivered call its
// last error's low 16 bits (5715 when those are "no server"), a non-zero return code its low 16
// bits, and otherwise, where the request decodes a reply, the reply header's code after a clean
// decode and 5709 after a failed one, with the decoded values in the request object; 0 where it
// decodes none. No record is left registered afterwards; leaks are the sanitizer's to find.
#include <cstdint>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "FuzzDecode.h"

namespace {

const char kServer[] = "FuzzStatisticsServer";

std::mutex replyLock;
TRpcReply nextReply;

TRpcReply Answer(const TRpcRequest &) {
  std::lock_guard<std::mutex> lock(replyLock);
  return nextReply;
}

// Binds the server and names it as every proxy's destination, once per process; diagnostics
// are dropped.
void Setup() {
  static const bool ready = [] {
    TDiag::SetSink([](TDiag::enDiagType, unsigned short, const char *, const std::string &) {});
    TFramework::BindServer(kServer, Answer);
    AStatisticsServer named(kServer, "FuzzClient", "FuzzClientTask");
    return true;
  }();
  (void)ready;
}

std::uint32_t Word(const std::uint8_t *at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// What a body-decoding request gives: the reply header's code after `decode` read the body
// in full or in part, 5709 when it threw.
template <class Decode>
unsigned short DecodedCode(const std::vector<unsigned char> &body, Decode &&decode) {
  TPack pack(const_cast<unsigned char *>(body.data()), static_cast<unsigned long>(body.size()));
  try {
    return decode(pack);
  } catch (...) {
    return 5709;
  }
}

unsigned short HeaderCode(TPack &pack) {
  TMsgReplyHdr header;
  pack >> header;
  return header.GetReturnCode();
}

// `decodedCode` is what the request's own decoding of the body gives; 0 where it decodes none.
unsigned short Expected(const TRpcReply &reply, unsigned short decodedCode = 0) {
  if (!reply.delivered) {
    // The low 16 bits decide: 0xff008003 is "no server" too.
    const auto code = static_cast<unsigned short>(reply.lastError);
    return code == TFramework::kErrNoServer ? 5715 : code;
  }
  if (reply.returnCode != 0)
    return static_cast<unsigned short>(reply.returnCode);
  return decodedCode;
}

void ContactDetail(const TRpcReply &reply) {
  // The request object and the expected answer start alike, so that both read the reply into
  // the same state (integer lists append, set-flags stay).
  TContactDetail expected;
  expected.SetAsynchronousEvent(0);
  const unsigned short code = DecodedCode(reply.data, [&](TPack &pack) {
    const unsigned short header = HeaderCode(pack);
    pack >> expected;
    return header;
  });
  AContactDetail request;
  request.SetAsynchronousEvent(0);
  Require(request.QueryContactDetail() == Expected(reply, code));
  if (reply.delivered && reply.returnCode == 0 && code != 5709)
    Require(Repack(static_cast<const TContactDetail &>(request)) == Repack(expected));
}

void ContactLogUpdate(const TRpcReply &reply) {
  int key = 0;
  const unsigned short code = DecodedCode(reply.data, [&](TPack &pack) {
    pack >> key;
    return HeaderCode(pack);
  });
  AContactLog request;
  request.RecordKey = -1;
  Require(request.UpdateContactLogSummary() == Expected(reply, code));
  if (reply.delivered && reply.returnCode == 0 && reply.data.size() >= 4)
    Require(request.RecordKey == key);
}

void ContactLogDelete(const TRpcReply &reply) {
  AContactLog request;
  Require(request.DeleteContactLogSummary(static_cast<TEventDataContactLog::enContactLogActions>(
              1)) == Expected(reply, DecodedCode(reply.data, HeaderCode)));
}

void ContactLogQuery(const TRpcReply &reply) {
  AContactLog request;
  Require(request.QueryContactLogSummary() == Expected(reply));
}

void ErrorRecord(const TRpcReply &reply) {
  AErrorRecord request;
  Require(request.WriteRecord() == Expected(reply));
}

void Subscription(const TRpcReply &reply) {
  AStatisticsServer proxy;
  Require(proxy.RequestEvent(TStatisticsServer::USERREALTIMEEVENT) == Expected(reply));
  Require(proxy.SetCumulativeRefreshRate(
              TStatisticsServer::USERCUMULATIVEEVENT,
              static_cast<TStatisticsServer::enCumulativeRefreshRate>(5)) == Expected(reply));
}

using Path = void (*)(const TRpcReply &);
const Path kPaths[] = {ContactDetail,   ContactLogUpdate, ContactLogDelete,
                       ContactLogQuery, ErrorRecord,      Subscription};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 10)
    return 0;
  Setup();
  TRpcReply reply;
  reply.delivered = (data[1] & 1) != 0;
  reply.returnCode = static_cast<long>(static_cast<std::int32_t>(Word(data + 2)));
  reply.lastError = Word(data + 6);
  reply.data.assign(data + 10, data + size);
  {
    std::lock_guard<std::mutex> lock(replyLock);
    nextReply = reply;
  }
  const std::size_t live = TMemory::LiveRegistrations();
  kPaths[data[0] % std::size(kPaths)](reply);
  Require(TMemory::LiveRegistrations() == live);
  return 0;
}
