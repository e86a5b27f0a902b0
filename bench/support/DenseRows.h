// The rows of the application benches: group real-time rows of twenty dense, non-zero int32
// values drawn from the whole 32-bit range, as a user of the library would make them up, in
// several distinct payloads that are decoded in turn, as events arrive. The library's benches
// and the protobuf ones take the same values from here.
#ifndef STATCLIENT_BENCH_SUPPORT_DENSEROWS_H_
#define STATCLIENT_BENCH_SUPPORT_DENSEROWS_H_

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace bench {

using DenseRow = std::array<std::int32_t, 20>;

// Distinct payloads an application bench decodes in turn.
inline constexpr int kPayloadsInTurn = 4;

// The rows of payload `payload` (0 .. kPayloadsInTurn - 1).
inline std::vector<DenseRow> DenseRows(long rows, int payload) {
  std::mt19937 random(static_cast<std::uint32_t>(7919 * (payload + 1)));
  std::uniform_int_distribution<std::int32_t> value(INT32_MIN, INT32_MAX);
  std::vector<DenseRow> made(static_cast<std::size_t>(rows));
  for (DenseRow &row : made)
    for (std::int32_t &field : row)
      do
        field = value(random);
      while (field == 0);
  return made;
}

// Which payload comes next: 0, 1, ... kPayloadsInTurn - 1, then 0 again.
class InTurn {
public:
  int Next() {
    const int now = next_;
    next_ = (next_ + 1) % kPayloadsInTurn;
    return now;
  }

private:
  int next_ = 0;
};

} // namespace bench

#endif // STATCLIENT_BENCH_SUPPORT_DENSEROWS_H_
