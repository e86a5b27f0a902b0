// The consumers of a record's text list: the one-line text, the structured walk, and the
// check that the text shows every wire field. A record whose layout has no text list is
// walked from its wire list instead, under its members' names.
//
// A layout whose text is its wire list, each field under its member's name in pack order,
// derives from TextIsWire instead of writing a text list:
//   template <> struct Layout<TEventDataGroupRealTime> : TextIsWire { ...Wire... };
// Each field then shows as ShowDuration if its codec is Duration, otherwise as Show.
#ifndef STATCLIENT_CORE_RENDER_H_
#define STATCLIENT_CORE_RENDER_H_

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Coverage.h"
#include "core/TextItems.h"
#include "core/Walk.h"

namespace statcore {

struct TextIsWire {};

template <class R> constexpr bool kTextIsWire = std::is_base_of_v<TextIsWire, Layout<R>>;

template <class Codec> struct IsDurationCodec : std::false_type {};
template <class T> struct IsDurationCodec<DurationCodec<T>> : std::true_type {};

// The text item of one wire field, labelled with the field's name.
template <class Codec> auto WireText(const Codec &field) {
  if constexpr (IsDurationCodec<Codec>::value)
    return ShowDuration(field.name, field.field);
  else
    return Show(field.name, field.field);
}

// Hands the text items of the wire fields it is given to `items`.
template <class Items> struct WireAsText {
  Items &items;
  template <class... Codec> void operator()(const Codec &...fields) const {
    items(WireText(fields)...);
  }
};

// Accepts any items, to detect whether a layout has a text list.
struct AnyItems {
  template <class... Item> void operator()(const Item &...) const {}
};

template <class R, class = void> struct HasTextList : std::false_type {};
template <class R>
struct HasTextList<R, std::void_t<decltype(Layout<R>::Text(std::declval<const R &>(), AnyItems{}))>>
    : std::true_type {};

template <class R> struct HasText : std::bool_constant<kTextIsWire<R> || HasTextList<R>::value> {};

// Hands the record's text items to `items`, in text order.
template <class R, class Items> void WalkText(const R &record, Items &&items) {
  static_assert(!(kTextIsWire<R> && HasTextList<R>::value),
                "a layout whose text is its wire list writes no text list");
  if constexpr (kTextIsWire<R>)
    Layout<R>::Wire(record, WireAsText<std::remove_reference_t<Items>>{items});
  else
    Layout<R>::Text(record, items);
}

template <class L, class = void> struct StyleOf { static constexpr TextStyle kStyle{}; };
template <class L> struct StyleOf<L, std::void_t<decltype(L::kStyle)>> {
  static constexpr TextStyle kStyle = L::kStyle;
};

template <class R> std::string RenderLine(const R &record) {
  LineSink line(StyleOf<Layout<R>>::kStyle);
  WalkText(record, line);
  return line.Close();
}

template <class R> void WalkRecord(const R &record, TFieldSink &sink) {
  if constexpr (HasText<R>::value)
    WalkText(record, FieldsSink{sink});
  else
    Layout<R>::Wire(record, Describer{sink});
}

template <class L, class = void> struct UnrenderedOf {
  static bool Contains(const char *) { return false; }
};
template <class L> struct UnrenderedOf<L, std::void_t<decltype(L::kUnrendered)>> {
  static bool Contains(const char *name) {
    return std::any_of(std::begin(L::kUnrendered), std::end(L::kUnrendered),
                       [name](const char *listed) { return std::string(listed) == name; });
  }
};

template <class R> TextCoverage CoverageOf() {
  TextCoverage coverage;
  if constexpr (HasText<R>::value) {
    coverage.hasText = true;
    const R record;
    CoveredMembers covered;
    WalkText(record, CoverSink{covered});
    auto check = [&](const auto &field) {
      const bool shown =
          std::find(covered.begin(), covered.end(), field.Address()) != covered.end();
      if (!shown && !UnrenderedOf<Layout<R>>::Contains(field.name))
        coverage.unrendered.emplace_back(field.name);
    };
    Layout<R>::Wire(record, [&](const auto &...fields) { (check(fields), ...); });
  }
  return coverage;
}

} // namespace statcore

#endif // STATCLIENT_CORE_RENDER_H_
