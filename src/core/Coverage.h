// The check that a record's text shows every field it packs, instantiated by the library for
// each record class: tests include this header only, so that they reach the library's own
// instantiation, made where the record's layout is visible.
#ifndef STATCLIENT_CORE_COVERAGE_H_
#define STATCLIENT_CORE_COVERAGE_H_

#include <string>
#include <vector>

namespace statcore {

struct TextCoverage {
  // False for a record without a text list (then nothing is checked).
  bool hasText = false;
  // Wire fields of a default record that the text neither shows nor lists as left out.
  std::vector<std::string> unrendered;
};

template <class R> TextCoverage CoverageOf();

} // namespace statcore

#endif // STATCLIENT_CORE_COVERAGE_H_
