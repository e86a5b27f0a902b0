// Default text, filled text and wire order of every row class, and what unpacking, copying and
// assigning replace. Most rows take the typed event suite's fill (event_fill.h, cases/) for seed
// 1: the integers 101, 102, ... in the order the fill lists them (pack order), the strings a1,
// b1, ..., the durations and points in time 00:01:01.001, 00:01:02.002, ... and 16-bit values
// from -99 up where the fill lists them negated; a nested row is the first of its parent's
// (seed 10: 1001, ..., 00:10:01.001, ...). The bytes show where each field travels, the text
// where it shows. A row whose new text is its filled text with every value at its zero states
// no default text of its own.
#ifndef STATCLIENT_TESTS_ROW_LAYOUT_H_
#define STATCLIENT_TESTS_ROW_LAYOUT_H_

#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

// The n-th time value of the fill.
inline TTimeStamp Nth(unsigned short n) { return Span(0, 0, 1, n, n); }

inline void PackCounts(TPack &p, long first, long last) {
  for (long value = first; value <= last; ++value)
    p << value;
}

// The fill's durations first to last: 00:01:01.001, 00:01:02.002, ...
inline void PackSpans(TPack &p, long first, long last) {
  for (long n = first; n <= last; ++n)
    PackSpan(p, 60 + n, static_cast<unsigned short>(n));
}

inline void PackStrings(TPack &p, const char *tags, const std::string &seed) {
  for (const char *tag = tags; *tag; ++tag)
    p << *tag + seed;
}

// `filled` with each integer at 0 and each time at 00:00:00.000; the digits of a label
// ("AnsweredInInterval[1,2,3,4,5]:") are no values and stay.
inline std::string Zeroed(const std::string &filled) {
  static const std::regex value(R"(\d\d:\d\d:\d\d\.\d{3}|-?\d+(?=[,\]}]|$)(?![\d,]*\]:))");
  std::string zeroed;
  auto at = filled.cbegin();
  for (std::sregex_iterator it(filled.begin(), filled.end(), value), end; it != end; ++it) {
    zeroed.append(at, (*it)[0].first).append(it->length() == 12 ? "00:00:00.000" : "0");
    at = (*it)[0].second;
  }
  return zeroed.append(at, filled.cend());
}

// A row: how it is filled, its bytes after the fill and its texts; kDefault stays null where
// the new row's text is Zeroed(kFilled).
template <class Row> struct RowCase;

template <class Event, long kSeed = 1> struct FilledBy {
  static void Fill(RecordOf<Event> &row) { EventCase<Event>::Fill(row, kSeed); }
  static constexpr const char *kDefault = nullptr;
};

// The first of the nested rows `kRows` of the row the event's fill gives.
template <class Event, auto kRows> struct FirstOf {
  template <class Row> static void Fill(Row &row) {
    RecordOf<Event> parent;
    EventCase<Event>::Fill(parent, 1);
    row = (parent.*kRows).at(0);
  }
  static constexpr const char *kDefault = nullptr;
};

template <class Row> class RowLayout : public ::testing::Test {};
TYPED_TEST_SUITE_P(RowLayout);

TYPED_TEST_P(RowLayout, TextsPackOrderAndReplacement) {
  using Case = RowCase<TypeParam>;
  EXPECT_EQ(TypeParam().ToString(), Case::kDefault ? Case::kDefault : Zeroed(Case::kFilled));
  TypeParam row;
  Case::Fill(row);
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes(Case::Wire));
  EXPECT_EQ(row.ToString(), Case::kFilled);

  // Unpacking, copying and assigning replace every field and every list the target held.
  const Bytes blank = Packed(TypeParam());
  TypeParam decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(UnpackInto(blank, decoded), 0u);
  EXPECT_EQ(Packed(decoded), blank);
  TypeParam copy(row);
  EXPECT_EQ(Packed(copy), bytes);
  copy = TypeParam();
  EXPECT_EQ(Packed(copy), blank);
  copy = row;
  TypeParam &self = copy;
  copy = self;
  EXPECT_EQ(Packed(copy), bytes);
}

REGISTER_TYPED_TEST_SUITE_P(RowLayout, TextsPackOrderAndReplacement);

#endif // STATCLIENT_TESTS_ROW_LAYOUT_H_
