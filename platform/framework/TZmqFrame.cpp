#include "framework/TZmqFrameInternal.h"

#include <cstring>

namespace zmqframe {
namespace {

constexpr unsigned char kCall = 'C';
constexpr unsigned char kReply = 'R';
constexpr unsigned char kEvent = 'E';

class Writer {
public:
  template <typename T> Writer &Put(T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
      bytes_.push_back(static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i)));
    return *this;
  }
  Writer &PutString(const std::string &text) {
    Put(static_cast<std::uint16_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  Bytes Take() { return std::move(bytes_); }

private:
  Bytes bytes_;
};

// Reads fields in order; once a read runs past the end every later read fails too.
class Reader {
public:
  explicit Reader(const Bytes &bytes) : bytes_(bytes) {}

  template <typename T> bool Get(T &value) {
    if (!ok_ || bytes_.size() - offset_ < sizeof(T))
      return ok_ = false;
    std::uint64_t raw = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      raw |= static_cast<std::uint64_t>(bytes_[offset_ + i]) << (8 * i);
    value = static_cast<T>(raw);
    offset_ += sizeof(T);
    return true;
  }
  bool GetString(std::string &text) {
    std::uint16_t size = 0;
    if (!Get(size) || bytes_.size() - offset_ < size)
      return ok_ = false;
    text.assign(bytes_.begin() + static_cast<long>(offset_),
                bytes_.begin() + static_cast<long>(offset_ + size));
    offset_ += size;
    return true;
  }
  bool Kind(unsigned char expected) {
    unsigned char kind = 0;
    return Get(kind) && (kind == expected || (ok_ = false));
  }
  // True when every read succeeded and nothing is left over.
  bool Complete() const { return ok_ && offset_ == bytes_.size(); }

private:
  const Bytes &bytes_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};

} // namespace

Bytes EncodeCall(const CallHeader &header) {
  return Writer()
      .Put(kCall)
      .Put(header.sequence)
      .Put(header.type)
      .Put(header.replyFlag)
      .Put(header.timeoutMs)
      .Put(header.taskType)
      .PutString(header.destination)
      .PutString(header.source)
      .Take();
}

std::optional<CallHeader> DecodeCall(const Bytes &frame) {
  CallHeader header;
  Reader reader(frame);
  reader.Kind(kCall);
  reader.Get(header.sequence);
  reader.Get(header.type);
  reader.Get(header.replyFlag);
  reader.Get(header.timeoutMs);
  reader.Get(header.taskType);
  reader.GetString(header.destination);
  reader.GetString(header.source);
  if (!reader.Complete())
    return std::nullopt;
  return header;
}

Bytes EncodeReply(const ReplyHeader &header) {
  return Writer()
      .Put(kReply)
      .Put(header.sequence)
      .Put(static_cast<unsigned char>(header.delivered))
      .Put(header.lastError)
      .Put(header.returnCode)
      .Take();
}

std::optional<ReplyHeader> DecodeReply(const Bytes &frame) {
  ReplyHeader header;
  unsigned char delivered = 0;
  Reader reader(frame);
  reader.Kind(kReply);
  reader.Get(header.sequence);
  reader.Get(delivered);
  reader.Get(header.lastError);
  reader.Get(header.returnCode);
  if (!reader.Complete() || delivered > 1)
    return std::nullopt;
  header.delivered = delivered == 1;
  return header;
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

Bytes EncodeEvent(const EventHeader &header) {
  return Writer().Put(kEvent).Put(header.incarnation).Put(header.sequence).Take();
}

std::optional<EventHeader> DecodeEvent(const Bytes &frame) {
  EventHeader header;
  Reader reader(frame);
  reader.Kind(kEvent);
  reader.Get(header.incarnation);
  reader.Get(header.sequence);
  if (!reader.Complete())
    return std::nullopt;
  return header;
}

} // namespace zmqframe
