#include "framework/TZmqFrameInternal.h"

#include <cstring>
#include <type_traits>

namespace zmqframe {
namespace {

constexpr unsigned char kCall = 'C';
constexpr unsigned char kReply = 'R';
constexpr unsigned char kEvent = 'E';
constexpr unsigned char kWhere = 'W';
constexpr unsigned char kAddress = 'A';

// Writes fields in order: integers little-endian, a bool as one byte, a string as a u16 length
// and its bytes.
class Writer {
public:
  template <typename... T> void operator()(const T &...fields) { (Put(fields), ...); }
  Bytes Take() { return std::move(bytes_); }

private:
  template <typename T> void Put(T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
      bytes_.push_back(static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i)));
  }
  void Put(bool value) { Put(static_cast<unsigned char>(value)); }
  void Put(const std::string &text) {
    Put(static_cast<std::uint16_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
  }

  Bytes bytes_;
};

// Reads fields in the same grammar; once a read fails (past the end, or a bool that is neither
// 0 nor 1) every later read fails too.
class Reader {
public:
  explicit Reader(const Bytes &bytes) : bytes_(bytes) {}

  template <typename... T> void operator()(T &...fields) { (Get(fields), ...); }
  // True when every read succeeded and nothing is left over.
  bool Complete() const { return ok_ && offset_ == bytes_.size(); }

private:
  template <typename T> void Get(T &value) {
    if (!ok_ || bytes_.size() - offset_ < sizeof(T)) {
      ok_ = false;
      return;
    }
    std::uint64_t raw = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      raw |= static_cast<std::uint64_t>(bytes_[offset_ + i]) << (8 * i);
    value = static_cast<T>(raw);
    offset_ += sizeof(T);
  }
  void Get(bool &value) {
    unsigned char byte = 0;
    Get(byte);
    ok_ = ok_ && byte <= 1;
    value = byte == 1;
  }
  void Get(std::string &text) {
    std::uint16_t size = 0;
    Get(size);
    if (!ok_ || bytes_.size() - offset_ < size) {
      ok_ = false;
      return;
    }
    text.assign(bytes_.begin() + static_cast<long>(offset_),
                bytes_.begin() + static_cast<long>(offset_ + size));
    offset_ += size;
  }

  const Bytes &bytes_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};

// Each header's fields after its kind byte, listed once for both directions.
template <class H, class F> void Fields(H &h, F &f) {
  using Header = std::remove_const_t<H>;
  if constexpr (std::is_same_v<Header, CallHeader>)
    f(h.sequence, h.type, h.replyFlag, h.timeoutMs, h.taskType, h.destination, h.source);
  else if constexpr (std::is_same_v<Header, ReplyHeader>)
    f(h.sequence, h.delivered, h.lastError, h.returnCode);
  else if constexpr (std::is_same_v<Header, AddressHeader>)
    f(h.eventEndpoint);
  else
    f(h.incarnation, h.sequence);
}

template <class H> Bytes Encode(unsigned char kind, const H &header) {
  Writer writer;
  writer(kind);
  Fields(header, writer);
  return writer.Take();
}

template <class H> std::optional<H> Decode(unsigned char kind, const Bytes &frame) {
  H header;
  unsigned char actual = 0;
  Reader reader(frame);
  reader(actual);
  Fields(header, reader);
  if (!reader.Complete() || actual != kind)
    return std::nullopt;
  return header;
}

} // namespace

Bytes EncodeCall(const CallHeader &header) { return Encode(kCall, header); }
std::optional<CallHeader> DecodeCall(const Bytes &frame) {
  return Decode<CallHeader>(kCall, frame);
}

Bytes EncodeReply(const ReplyHeader &header) { return Encode(kReply, header); }
std::optional<ReplyHeader> DecodeReply(const Bytes &frame) {
  return Decode<ReplyHeader>(kReply, frame);
}

Bytes EncodeWhere() { return {kWhere}; }
bool IsWhere(const Bytes &frame) { return frame == Bytes{kWhere}; }

Bytes EncodeAddress(const AddressHeader &header) { return Encode(kAddress, header); }
std::optional<AddressHeader> DecodeAddress(const Bytes &frame) {
  return Decode<AddressHeader>(kAddress, frame);
}

Bytes EventTopic(unsigned short eventId, const std::string &server) {
  Bytes topic{static_cast<unsigned char>(eventId >> 8), static_cast<unsigned char>(eventId)};
  topic.insert(topic.end(), server.begin(), server.end());
  topic.push_back(0);
  return topic;
}

std::optional<unsigned short> DecodeTopic(const Bytes &topic, const std::string &server) {
  if (topic.size() != server.size() + 3 || topic.back() != 0 ||
      std::memcmp(topic.data() + 2, server.data(), server.size()) != 0)
    return std::nullopt;
  return static_cast<unsigned short>((topic[0] << 8) | topic[1]);
}

Bytes EncodeEvent(const EventHeader &header) { return Encode(kEvent, header); }
std::optional<EventHeader> DecodeEvent(const Bytes &frame) {
  return Decode<EventHeader>(kEvent, frame);
}

} // namespace zmqframe
