// The frames the ZeroMQ transport puts on the wire, and their checked decoding.
//
// Every integer is little-endian except the event id in an event topic, which is big-endian so
// that a subscription prefix sorts and matches byte by byte. Strings are a u16 length and bytes.
//
// Call, DEALER -> ROUTER, two frames (the ROUTER sees the caller's identity frame first):
//   header: u8 'C', u64 sequence, u16 type, u8 replyFlag, u32 timeoutMs, i32 taskType,
//           string destination, string source
//   body:   the request data
// Reply, ROUTER -> DEALER, two frames:
//   header: u8 'R', u64 sequence, u8 delivered, u32 lastError, i64 returnCode
//   body:   the reply data
// Where, DEALER -> ROUTER, one frame, sent once each connection's handshake completes:
//   header: u8 'W'
// Address, ROUTER -> DEALER, one frame, the answer to Where:
//   header: u8 'A', string the event endpoint the server's PUB is bound at
// Event, PUB -> SUB, three frames:
//   topic:  u16 event id (big-endian), server name bytes, one 0 byte
//   header: u8 'E', u64 publisher incarnation, u64 sequence of this topic at that publisher
//   body:   the event payload
//
// Decoding never trusts the network: a frame of the wrong size or kind yields std::nullopt.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TZMQFRAMEINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TZMQFRAMEINTERNAL_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/TFramework.h"

namespace zmqframe {

using Bytes = std::vector<unsigned char>;

struct CallHeader {
  std::uint64_t sequence = 0;
  unsigned short type = 0;
  unsigned char replyFlag = 0;
  std::uint32_t timeoutMs = 0;
  std::int32_t taskType = 0;
  std::string destination, source;
};

struct ReplyHeader {
  std::uint64_t sequence = 0;
  bool delivered = false;
  std::uint32_t lastError = 0;
  std::int64_t returnCode = 0;
};

struct AddressHeader {
  std::string eventEndpoint;
};

struct EventHeader {
  std::uint64_t incarnation = 0;
  std::uint64_t sequence = 0;
};

Bytes EncodeCall(const CallHeader &header);
std::optional<CallHeader> DecodeCall(const Bytes &frame);

Bytes EncodeReply(const ReplyHeader &header);
std::optional<ReplyHeader> DecodeReply(const Bytes &frame);

Bytes EncodeWhere();
bool IsWhere(const Bytes &frame);

Bytes EncodeAddress(const AddressHeader &header);
std::optional<AddressHeader> DecodeAddress(const Bytes &frame);

// The topic is also the subscription prefix: a subscriber receives exactly this id of this server.
Bytes EventTopic(unsigned short eventId, const std::string &server);
// The event id of `topic` when it is a well-formed topic of `server`.
std::optional<unsigned short> DecodeTopic(const Bytes &topic, const std::string &server);

Bytes EncodeEvent(const EventHeader &header);
std::optional<EventHeader> DecodeEvent(const Bytes &frame);

} // namespace zmqframe

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TZMQFRAMEINTERNAL_H_
