#include "framework/TPack.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/TTimeStamp.h"

namespace {

constexpr unsigned long kInitialOwnedCapacity = 64;

} // namespace

TPackError::TPackError(const char *what, unsigned long needed, unsigned long available,
                       unsigned long offset)
    : TBaseException(2, 2001, "framework/TPack", 0, static_cast<long>(needed),
                     static_cast<long>(available)),
      needed_(needed), available_(available), offset_(offset) {
  SetText(std::string("TPack: ") + what + ": needs " + std::to_string(needed) + " bytes, has " +
          std::to_string(available) + " at offset " + std::to_string(offset));
}

TPack::TPack(int mode) : mode_(mode == 0 ? Mode::kCounting : Mode::kOwning) {}

TPack::TPack(void *data, unsigned long size)
    : mode_(Mode::kReceived), buffer_(static_cast<unsigned char *>(data)), size_(data ? size : 0),
      next_(size_), needed_(size_) {}

TPack::~TPack() {
  if (mode_ == Mode::kOwning)
    std::free(buffer_);
}

void TPack::SetBuffer(void *buffer, unsigned long size) {
  if (mode_ == Mode::kOwning)
    std::free(buffer_);
  mode_ = Mode::kCaller;
  buffer_ = static_cast<unsigned char *>(buffer);
  size_ = buffer ? size : 0;
  start_ = next_ = needed_ = 0;
}

unsigned char *TPack::Reserve(unsigned long n) {
  switch (mode_) {
  case Mode::kCounting:
    return nullptr;
  case Mode::kOwning:
    if (n > size_ - next_) {
      if (n > ~0UL - next_)
        throw TPackError("pack too large", n, size_ - next_, next_);
      unsigned long capacity = size_ ? size_ : kInitialOwnedCapacity;
      while (capacity - next_ < n)
        capacity = capacity > ~0UL / 2 ? next_ + n : capacity * 2;
      void *grown = std::realloc(buffer_, capacity);
      if (!grown)
        throw std::bad_alloc();
      buffer_ = static_cast<unsigned char *>(grown);
      size_ = capacity;
    }
    return buffer_ + next_;
  case Mode::kCaller:
  case Mode::kReceived:
    if (n > size_ - next_)
      throw TPackError("buffer overflow", n, size_ - next_, next_);
    return buffer_ + next_;
  }
  return nullptr;
}

void TPack::Append(const void *data, unsigned long n) {
  if (n == 0)
    return;
  unsigned char *at = Reserve(n);
  if (at) {
    std::memcpy(at, data, n);
    next_ += n;
  }
  needed_ += n;
}

void TPack::ThrowShortRead(unsigned long n) const {
  throw TPackError("short read", n, Length(), start_);
}

const unsigned char *TPack::Take(unsigned long n) {
  if (Length() < n)
    ThrowShortRead(n);
  const unsigned char *at = buffer_ + start_;
  start_ += n;
  return at;
}

void TPack::Behead(unsigned long n) { Take(n); }

TPack &TPack::operator<<(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutUInt32(bits);
  return *this;
}
TPack &TPack::operator<<(const std::string &value) {
  if (value.size() > 0xffffffffUL)
    throw TPackError("string too long", value.size(), 0xffffffffUL, next_);
  // One Reserve for count and bytes, so an overflow leaves the pack as it was.
  const unsigned long total = 4 + static_cast<unsigned long>(value.size());
  if (mode_ != Mode::kCounting && mode_ != Mode::kOwning && total > size_ - next_)
    throw TPackError("buffer overflow", total, size_ - next_, next_);
  PutUInt32(static_cast<std::uint32_t>(value.size()));
  Append(value.data(), static_cast<unsigned long>(value.size()));
  return *this;
}
TPack &TPack::operator<<(const char *value) { return *this << std::string(value ? value : ""); }
TPack &TPack::operator<<(const TTimeStamp &value) {
  unsigned char bytes[15];
  const unsigned short fields[7] = {value.GetYear(),   value.GetMonth(),  value.GetDay(),
                                    value.GetHour(),   value.GetMinute(), value.GetSecond(),
                                    value.GetMSecond()};
  for (int i = 0; i < 7; ++i) {
    bytes[2 * i] = static_cast<unsigned char>(fields[i]);
    bytes[2 * i + 1] = static_cast<unsigned char>(fields[i] >> 8);
  }
  bytes[14] = value.GetDaylightSaving();
  Append(bytes, sizeof bytes);
  return *this;
}

TPack &TPack::operator>>(float &value) {
  const std::uint32_t bits = GetUInt32();
  std::memcpy(&value, &bits, sizeof value);
  return *this;
}
TPack &TPack::operator>>(std::string &value) {
  if (Length() < 4)
    throw TPackError("short read", 4, Length(), start_);
  const unsigned char *at = buffer_ + start_;
  const unsigned long count = static_cast<unsigned long>(at[0]) | (at[1] << 8) | (at[2] << 16) |
                              (static_cast<unsigned long>(at[3]) << 24);
  if (Length() - 4 < count)
    throw TPackError("short read of a string", 4 + count, Length(), start_);
  value.assign(reinterpret_cast<const char *>(at + 4), count);
  start_ += 4 + count;
  return *this;
}
TPack &TPack::operator>>(TTimeStamp &value) {
  const unsigned char *at = Take(15);
  unsigned short fields[7];
  for (int i = 0; i < 7; ++i)
    fields[i] = static_cast<unsigned short>(at[2 * i] | (at[2 * i + 1] << 8));
  value.SetYear(fields[0]);
  value.SetMonth(fields[1]);
  value.SetDay(fields[2]);
  value.SetHour(fields[3]);
  value.SetMinute(fields[4]);
  value.SetSecond(fields[5]);
  value.SetMSecond(fields[6]);
  value.SetDaylightSaving(at[14]);
  return *this;
}
