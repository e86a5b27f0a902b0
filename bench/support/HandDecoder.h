// The hand-written decoder of the group rows, the floor the library's unpacking is measured
// against: the count, then each row checked once for its 80 bytes and its twenty little-endian
// int32 read into a plain struct appended to a vector. No allocation per row, no registration,
// no virtual destructor: what a decoder needs at least.
#ifndef STATCLIENT_BENCH_SUPPORT_HANDDECODER_H_
#define STATCLIENT_BENCH_SUPPORT_HANDDECODER_H_

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace bench {

// The group row as a plain struct, in pack order.
struct PlainGroupRow {
  std::array<std::int32_t, 20> counts;
};

inline std::uint32_t LittleEndian32(const unsigned char *at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// Replaces `rows` with the rows of the payload; throws std::out_of_range on a short one.
inline void HandDecode(const std::vector<unsigned char> &payload,
                       std::vector<PlainGroupRow> &rows) {
  const unsigned char *at = payload.data();
  const unsigned char *end = at + payload.size();
  if (end - at < 4)
    throw std::out_of_range("short payload");
  const auto count = static_cast<std::int32_t>(LittleEndian32(at));
  at += 4;
  rows.clear();
  for (std::int32_t i = 0; i < count; ++i) {
    if (end - at < 80)
      throw std::out_of_range("short payload");
    PlainGroupRow &row = rows.emplace_back();
    for (std::size_t field = 0; field < row.counts.size(); ++field)
      row.counts[field] = static_cast<std::int32_t>(LittleEndian32(at + 4 * field));
    at += 80;
  }
}

} // namespace bench

#endif // STATCLIENT_BENCH_SUPPORT_HANDDECODER_H_
