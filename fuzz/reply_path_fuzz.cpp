// Drives the reply path of every request through a bound server that answers with the fuzzer's
// bytes. Input: byte 0 picks the request, byte 1 bit 0 says whether the reply is delivered,
// bytes 2-5 are the call's return code, bytes 6-9 the undelivered reply's last error (both
// little-endian), the rest is the reply body. Each request's result code must be what the reply
// calls for (Expected), a contact detail or a contact-log update must hold what its reply
// decodes to, and no record is left registered; leaks are the sanitizer's to find.
#include <cstdint>
#include <iterator>
#include <mutex>
#include <type_traits>

#include "FuzzDecode.h"

namespace {

const char kServer[] = "FuzzStatisticsServer";
std::mutex replyLock;
TRpcReply nextReply;

unsigned short HeaderCode(TPack &pack) {
  TMsgReplyHdr header;
  pack >> header;
  return header.GetReturnCode();
}

// An undelivered call gives its last error's low 16 bits (5715 when those are "no server"), a
// non-zero return code its low 16 bits. Otherwise a request that decodes its reply gives what
// `decode` returns when it reads the body in full or in part, 5709 when it throws; one that
// decodes none gives 0.
template <class Decode = std::nullptr_t>
unsigned short Expected(const TRpcReply &reply, Decode &&decode = nullptr) {
  if (!reply.delivered) {
    // The low 16 bits decide: 0xff008003 is "no server" too.
    const auto code = static_cast<unsigned short>(reply.lastError);
    return code == TFramework::kErrNoServer ? 5715 : code;
  }
  if (reply.returnCode != 0)
    return static_cast<unsigned short>(reply.returnCode);
  if constexpr (std::is_null_pointer_v<std::decay_t<Decode>>) {
    return 0;
  } else {
    std::vector<unsigned char> body = reply.data;
    TPack pack(body.data(), static_cast<unsigned long>(body.size()));
    try {
      return decode(pack);
    } catch (...) {
      return 5709;
    }
  }
}

void ContactDetail(const TRpcReply &reply) {
  // The request and the expected answer start alike, so that both read the reply into the same
  // state (integer lists append, set-flags stay).
  TContactDetail expected;
  expected.SetAsynchronousEvent(0);
  bool decoded = false;
  const unsigned short code = Expected(reply, [&](TPack &pack) {
    const unsigned short header = HeaderCode(pack);
    pack >> expected;
    decoded = true;
    return header;
  });
  AContactDetail request;
  request.SetAsynchronousEvent(0);
  Require(request.QueryContactDetail() == code);
  Require(!decoded || Repack(static_cast<const TContactDetail &>(request)) == Repack(expected));
}

void ContactLogUpdate(const TRpcReply &reply) {
  int key = -1;
  const unsigned short code = Expected(reply, [&](TPack &pack) {
    pack >> key;
    return HeaderCode(pack);
  });
  AContactLog request;
  request.RecordKey = -1;
  Require(request.UpdateContactLogSummary() == code && request.RecordKey == key);
}

using Path = void (*)(const TRpcReply &);
const Path kPaths[] = {
    ContactDetail,
    ContactLogUpdate,
    [](const TRpcReply &reply) {
      Require(AContactLog().DeleteContactLogSummary(
                  static_cast<TEventDataContactLog::enContactLogActions>(1)) ==
              Expected(reply, HeaderCode));
    },
    [](const TRpcReply &reply) {
      Require(AContactLog().QueryContactLogSummary() == Expected(reply));
    },
    [](const TRpcReply &reply) { Require(AErrorRecord().WriteRecord() == Expected(reply)); },
    [](const TRpcReply &reply) {
      AStatisticsServer proxy;
      Require(proxy.RequestEvent(TStatisticsServer::USERREALTIMEEVENT) == Expected(reply));
      Require(proxy.SetCumulativeRefreshRate(
                  TStatisticsServer::USERCUMULATIVEEVENT,
                  static_cast<TStatisticsServer::enCumulativeRefreshRate>(5)) == Expected(reply));
    },
};

std::uint32_t Word(const std::uint8_t *at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

} // namespace

// Binds the server and names it as every proxy's destination; diagnostics are dropped.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  TDiag::SetSink([](TDiag::enDiagType, unsigned short, const char *, const std::string &) {});
  TFramework::BindServer(kServer, [](const TRpcRequest &) {
    std::lock_guard<std::mutex> lock(replyLock);
    return nextReply;
  });
  AStatisticsServer named(kServer, "FuzzClient", "FuzzClientTask");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 10)
    return 0;
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
