#include "statexport/TextExposition.h"

#include <cstddef>
#include <future>
#include <iterator>
#include <ostream>
#include <streambuf>

#include <prometheus/text_serializer.h>

namespace statexport {

namespace {

// An output buffer that appends to a string through a small staging area, so that a reserved
// string takes the whole text without the doubling and the final copy of a std::ostringstream,
// while single characters still cost a pointer increment.
class AppendBuffer : public std::streambuf {
public:
  explicit AppendBuffer(std::string &out) : out_(out) {
    setp(staging_, staging_ + sizeof staging_);
  }
  ~AppendBuffer() override { Drain(); }

protected:
  int_type overflow(int_type c) override {
    Drain();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
      sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override {
    Drain();
    return 0;
  }

private:
  void Drain() {
    out_.append(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(staging_, staging_ + sizeof staging_);
  }

  std::string &out_;
  char staging_[16 * 1024];
};

std::string Serialize(const std::vector<prometheus::MetricFamily> &families, std::size_t reserve) {
  std::string text;
  text.reserve(reserve);
  {
    AppendBuffer buffer(text);
    std::ostream out(&buffer);
    prometheus::TextSerializer().Serialize(out, families);
  }
  return text;
}

// Below this a second thread costs more than it saves.
constexpr std::size_t kSplitFromBytes = 1 << 20;

} // namespace

std::string TextExposition(std::vector<prometheus::MetricFamily> families, std::size_t sizeHint) {
  const std::size_t margin = sizeHint / 8;
  if (sizeHint < kSplitFromBytes)
    return Serialize(families, sizeHint + margin);

  std::size_t samples = 0;
  for (const prometheus::MetricFamily &family : families)
    samples += family.metric.size() + 1;
  // The families before `split` hold about half the samples.
  std::size_t split = 0;
  for (std::size_t counted = 0; split < families.size() && 2 * counted < samples; ++split)
    counted += families[split].metric.size() + 1;
  const auto middle = families.begin() + static_cast<std::ptrdiff_t>(split);
  std::vector<prometheus::MetricFamily> second(std::make_move_iterator(middle),
                                               std::make_move_iterator(families.end()));
  families.erase(middle, families.end());

  auto secondText = std::async(std::launch::async, [&second, sizeHint, margin] {
    return Serialize(second, sizeHint / 2 + margin);
  });
  std::string text = Serialize(families, sizeHint + margin);
  text += secondText.get();
  return text;
}

} // namespace statexport
