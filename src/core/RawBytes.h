// Little-endian loads and stores of the framework's fixed-width wire types, on raw bytes.
//
// Each function reads or writes exactly the bytes TPack's operator of the same type would, and
// converts the same way: a wire `long` is 32-bit and sign-extends, `unsigned long` zero-extends,
// a `bool` is true for any non-zero byte and packs as 1 or 0. The caller guarantees that the
// bytes are there; nothing is checked and nothing throws. One load or store per value: the
// compiler turns the memcpy into a single move, and the byte swap vanishes on little-endian
// machines.
#ifndef STATCLIENT_CORE_RAWBYTES_H_
#define STATCLIENT_CORE_RAWBYTES_H_

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "framework/TCompiler.h"
#include "framework/TTimeStamp.h"

namespace statcore {

// A TTimeStamp packed whole: seven 16-bit fields and the daylight-saving byte.
inline constexpr unsigned long kTimeStampWidth = 15;

inline constexpr bool kLittleEndianHost = STATCLIENT_LITTLE_ENDIAN_HOST;

inline std::uint32_t LoadLittle32(const unsigned char *at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return kLittleEndianHost ? value : STATCLIENT_BYTE_SWAP_32(value);
}
inline std::uint16_t LoadLittle16(const unsigned char *at) {
  std::uint16_t value;
  std::memcpy(&value, at, sizeof value);
  return kLittleEndianHost ? value : STATCLIENT_BYTE_SWAP_16(value);
}
inline void StoreLittle32(unsigned char *at, std::uint32_t value) {
  if (!kLittleEndianHost)
    value = STATCLIENT_BYTE_SWAP_32(value);
  std::memcpy(at, &value, sizeof value);
}
inline void StoreLittle16(unsigned char *at, std::uint16_t value) {
  if (!kLittleEndianHost)
    value = STATCLIENT_BYTE_SWAP_16(value);
  std::memcpy(at, &value, sizeof value);
}

// The types TPack packs by value.
template <class W>
inline constexpr bool kIsWireType =
    std::is_same_v<W, bool> || std::is_same_v<W, short> || std::is_same_v<W, unsigned short> ||
    std::is_same_v<W, int> || std::is_same_v<W, unsigned int> || std::is_same_v<W, long> ||
    std::is_same_v<W, unsigned long> || std::is_same_v<W, float>;

// Bytes of the wire form of the wire type W (a codec's width is its kWireWidth, Codecs.h).
template <class W>
inline constexpr unsigned long
    kWireTypeWidth = std::is_same_v<W, bool>                                           ? 1
                     : (std::is_same_v<W, short> || std::is_same_v<W, unsigned short>) ? 2
                                                                                       : 4;

template <class W> W LoadWire(const unsigned char *at) {
  if constexpr (std::is_same_v<W, bool>) {
    return *at != 0;
  } else if constexpr (std::is_same_v<W, float>) {
    const std::uint32_t bits = LoadLittle32(at);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  } else if constexpr (kWireTypeWidth<W> == 2) {
    return static_cast<W>(LoadLittle16(at));
  } else if constexpr (std::is_signed_v<W>) {
    return static_cast<W>(static_cast<std::int32_t>(LoadLittle32(at)));
  } else {
    return static_cast<W>(LoadLittle32(at));
  }
}

template <class W> void StoreWire(unsigned char *at, W value) {
  if constexpr (std::is_same_v<W, bool>) {
    *at = value ? 1 : 0;
  } else if constexpr (std::is_same_v<W, float>) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLittle32(at, bits);
  } else if constexpr (kWireTypeWidth<W> == 2) {
    StoreLittle16(at, static_cast<std::uint16_t>(value));
  } else {
    StoreLittle32(at, static_cast<std::uint32_t>(value));
  }
}

// A point in time packed whole, as TPack packs it: year, month, day, hour, minute, second and
// millisecond as uint16, then the daylight-saving byte.
inline void LoadTimeStamp(const unsigned char *at, TTimeStamp &value) {
  value.SetYear(LoadLittle16(at));
  value.SetMonth(LoadLittle16(at + 2));
  value.SetDay(LoadLittle16(at + 4));
  value.SetHour(LoadLittle16(at + 6));
  value.SetMinute(LoadLittle16(at + 8));
  value.SetSecond(LoadLittle16(at + 10));
  value.SetMSecond(LoadLittle16(at + 12));
  value.SetDaylightSaving(at[14]);
}
inline void StoreTimeStamp(unsigned char *at, const TTimeStamp &value) {
  StoreLittle16(at, value.GetYear());
  StoreLittle16(at + 2, value.GetMonth());
  StoreLittle16(at + 4, value.GetDay());
  StoreLittle16(at + 6, value.GetHour());
  StoreLittle16(at + 8, value.GetMinute());
  StoreLittle16(at + 10, value.GetSecond());
  StoreLittle16(at + 12, value.GetMSecond());
  at[14] = value.GetDaylightSaving();
}

} // namespace statcore

#endif // STATCLIENT_CORE_RAWBYTES_H_
