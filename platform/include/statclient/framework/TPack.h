// TPack: the framework's serialisation buffer.
//
// Encoding (little-endian, fixed width, no padding):
//   bool                            1 byte; unpacking treats any non-zero byte as true
//   short, unsigned short           2 bytes
//   int, unsigned int, long,        4 bytes. The wire `long` is 32-bit everywhere: packing a C++
//   unsigned long, float              `long` keeps its low 32 bits (two's complement), unpacking
//                                     sign-extends (`unsigned long`: zero-extends)
//   std::string                     uint32 byte count, then the bytes
//   TTimeStamp                      year, month, day, hour, minute, second, msecond (uint16 each),
//                                   then the daylight-saving byte
//
// Modes and the four counters that DumpContentsToFile prints:
//
//   mode                      START            NEXT                 NEEDED            BUFFER SIZE
//   counting  TPack(0)        0                0                    bytes packed      0
//   owning    TPack(1)        first unread     end of written data  bytes packed      capacity
//   caller    SetBuffer(p,n)  first unread     end of written data  bytes packed      n
//   received  TPack(p,n)      first unread     n                    n                 n
//
// A counting pack allocates and copies nothing, so sizing a record costs no heap allocation.
// An owning pack grows its buffer as values are packed. A pack over a caller's buffer never
// writes past it: an overflow throws TPackError and leaves the pack as it was. A pack over
// received bytes does not own them; the caller keeps them alive while the pack reads.
//
// Every read checks the bytes left first: a short read throws TPackError and consumes
// nothing. A string's byte count is checked against the bytes left before anything is
// allocated. Not thread-safe: one thread at a time per pack.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TPACK_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TPACK_H_

#include <cstdint>
#include <string>

#include "framework/TBaseException.h"

class TTimeStamp;

// Raised by every short read, by Behead past the end and by an overflow of a caller's buffer.
// `Offset()` is the byte offset in the pack where the read (or write) would have started, so a
// decoder can say where a payload broke; the text ends with it: "... has 3 at offset 16".
class TPackError : public TBaseException {
public:
  TPackError(const char *what, unsigned long needed, unsigned long available, unsigned long offset);

  unsigned long Needed() const { return needed_; }
  unsigned long Available() const { return available_; }
  unsigned long Offset() const { return offset_; }

private:
  unsigned long needed_;
  unsigned long available_;
  unsigned long offset_;
};

class TPack {
public:
  // 0: counting only; any other value: an owning pack whose buffer grows as it is written.
  explicit TPack(int mode);
  // Reads `size` bytes at `data`, which the caller owns and keeps alive.
  TPack(void *data, unsigned long size);
  ~TPack();

  TPack(const TPack &) = delete;
  TPack &operator=(const TPack &) = delete;

  // Writes from now on go into the caller's `buffer` of `size` bytes, from its start; whatever
  // the pack held before is dropped. Throws TPackError if a later write would not fit.
  void SetBuffer(void *buffer, unsigned long size);

  // Bytes needed for everything packed so far (in every mode).
  unsigned long BufferSizeRequired() const { return needed_; }
  // Unread bytes, and where they start.
  unsigned long Length() const { return next_ - start_; }
  operator void *() const { return buffer_ + start_; }
  void *Contents() const { return buffer_ + start_; }
  // Non-zero when at least `n` unread bytes remain.
  int CanRemove(unsigned long n) const { return Length() >= n ? 1 : 0; }
  // Drops `n` unread bytes from the front; throws TPackError if fewer remain.
  void Behead(unsigned long n);
  // Packs `n` raw bytes from `data`.
  void Append(const void *data, unsigned long n);

  // Writes a dump of the counters and the written bytes to the text file at `path`, appending.
  // Silent if the file cannot be opened. Provided by the statclient library.
  void DumpContentsToFile(const char *path);

  // The four counters of the table above, and the buffer itself (null when counting).
  unsigned long StartOffset() const { return start_; }
  unsigned long NextOffset() const { return next_; }
  unsigned long BytesNeeded() const { return needed_; }
  unsigned long BufferSize() const { return size_; }
  const unsigned char *Buffer() const { return buffer_; }

  // The fixed-width packers are inline: a record of twenty integers packs in twenty stores.
  TPack &operator<<(bool value) { return Put<1>(value ? 1 : 0); }
  TPack &operator<<(short value) { return Put<2>(static_cast<std::uint16_t>(value)); }
  TPack &operator<<(unsigned short value) { return Put<2>(value); }
  TPack &operator<<(int value) { return Put<4>(static_cast<std::uint32_t>(value)); }
  TPack &operator<<(unsigned int value) { return Put<4>(value); }
  TPack &operator<<(long value) { return Put<4>(static_cast<std::uint32_t>(value)); }
  TPack &operator<<(unsigned long value) { return Put<4>(static_cast<std::uint32_t>(value)); }
  TPack &operator<<(float value);
  TPack &operator<<(const std::string &value);
  TPack &operator<<(const char *value); // packed as a std::string
  TPack &operator<<(const TTimeStamp &value);

  TPack &operator>>(bool &value) {
    value = Get<1>() != 0;
    return *this;
  }
  TPack &operator>>(short &value) {
    value = static_cast<short>(Get<2>());
    return *this;
  }
  TPack &operator>>(unsigned short &value) {
    value = static_cast<unsigned short>(Get<2>());
    return *this;
  }
  TPack &operator>>(int &value) {
    value = static_cast<std::int32_t>(Get<4>());
    return *this;
  }
  TPack &operator>>(unsigned int &value) {
    value = Get<4>();
    return *this;
  }
  TPack &operator>>(long &value) {
    value = static_cast<std::int32_t>(Get<4>());
    return *this;
  }
  TPack &operator>>(unsigned long &value) {
    value = Get<4>();
    return *this;
  }
  TPack &operator>>(float &value);
  TPack &operator>>(std::string &value);
  TPack &operator>>(TTimeStamp &value);

  // Fixed-width little-endian primitives the operators above are built on; exposed for the
  // packers of other libraries (enumerations travel as PutInt32/GetInt32).
  void PutUInt8(std::uint8_t value) { Put<1>(value); }
  void PutUInt16(std::uint16_t value) { Put<2>(value); }
  void PutUInt32(std::uint32_t value) { Put<4>(value); }
  void PutInt32(std::int32_t value) { Put<4>(static_cast<std::uint32_t>(value)); }
  std::uint8_t GetUInt8() { return static_cast<std::uint8_t>(Get<1>()); }
  std::uint16_t GetUInt16() { return static_cast<std::uint16_t>(Get<2>()); }
  std::uint32_t GetUInt32() { return Get<4>(); }
  std::int32_t GetInt32() { return static_cast<std::int32_t>(Get<4>()); }

private:
  enum class Mode { kCounting, kOwning, kCaller, kReceived };

  // Makes room for `n` more bytes at next_ (growing an owning buffer); throws on overflow.
  unsigned char *Reserve(unsigned long n);
  // Checks that `n` unread bytes remain, throws otherwise; returns where they start.
  const unsigned char *Take(unsigned long n);
  [[noreturn]] void ThrowShortRead(unsigned long n) const;

  // The low N bytes of `value`, little-endian: stored at once when counting or when the buffer
  // has room, otherwise through Append, which grows an owning buffer or throws.
  template <unsigned N> TPack &Put(std::uint32_t value) {
    if (mode_ == Mode::kCounting) {
      needed_ += N;
      return *this;
    }
    unsigned char bytes[N];
    for (unsigned i = 0; i < N; ++i)
      bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    if (buffer_ && size_ - next_ >= N) {
      for (unsigned i = 0; i < N; ++i)
        buffer_[next_ + i] = bytes[i];
      next_ += N;
      needed_ += N;
    } else {
      Append(bytes, N);
    }
    return *this;
  }
  // The next N unread bytes as a little-endian number; throws TPackError, consuming nothing,
  // when fewer remain.
  template <unsigned N> std::uint32_t Get() {
    if (next_ - start_ < N)
      ThrowShortRead(N);
    const unsigned char *at = buffer_ + start_;
    std::uint32_t value = 0;
    for (unsigned i = 0; i < N; ++i)
      value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    start_ += N;
    return value;
  }

  Mode mode_;
  unsigned char *buffer_ = nullptr;
  unsigned long size_ = 0;
  unsigned long start_ = 0;
  unsigned long next_ = 0;
  unsigned long needed_ = 0;
};

// Packers for the enumerations of the other libraries, which travel as int32.
template <class Enum> TPack &PackEnum32(TPack &pack, Enum value) {
  pack.PutInt32(static_cast<std::int32_t>(value));
  return pack;
}
template <class Enum> TPack &UnpackEnum32(TPack &pack, Enum &value) {
  value = static_cast<Enum>(pack.GetInt32());
  return pack;
}

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TPACK_H_
