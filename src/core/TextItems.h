// The text vocabulary: one item per label of a record's one-line text.
//
// A layout's Text(r, f) hands its items to f in text order. Each item serves three consumers:
//   Line(line)      the one-line text: ", " before every label but the first, the label, the
//                   colon (the record's, or the item's own), the value
//   Fields(sink)    the structured walk: the value under the item's key
//   Cover(cover)    the members the item renders, for the check that every wire field is shown
// The key is the label unless Key() gives another: where a label repeats or is built from the
// data, the key is the member's name.
//
// Most labels are their member's name: MEMBER(VG) stands for the label and the member of such
// an item, so Show(MEMBER(VG)) is Show("VG", r.VG) and ShowDuration(MEMBER(WT)) is
// ShowDuration("WT", r.WT). A label that differs is written out: Show("Rec NI", r.RecNI).
//
// Items:
//   Show(label, v)              v as the stream writes it
//   Show(label, v, name)        name(v), a name from a name table
//   ShowAs<T>(label, v)         v converted to T first (an int16 kept in a wider member)
//   ShowDuration(label, d)      "HH:MM:SS.mmm"
//   ShowTimeOfDay(label, t)     a point in time as its time of day only, "HH:MM:SS.mmm"; the
//                               structured walk keeps the whole instant
//   ShowInstant(label, t)       GetDateTime with '/', ':' and '.', as the structured walk
//                               writes every point in time
//   Group(label, a, b, ...)     "[a,b,...]"; .Separator(", ") changes the ","
//   Group(label, array)         the same over every element of an array, in index order
//   DurationGroup(label, d...)  "[HH:MM:SS.mmm,...]": a fixed group of durations, or every
//                               element of an array of them
//   List(label, v)              "[e1 e2 ]": each element followed by a blank
//   IndexedDurations(label, v)  " [0,HH:MM:SS.mmm] [1,...]"
//   Nested(label, record)       the nested record's own text, or object
//   StructuredOnly(key, v, name)   not in the text; name(v) in the structured walk (for a
//                               member that the text shows only inside a label)
#ifndef STATCLIENT_CORE_TEXTITEMS_H_
#define STATCLIENT_CORE_TEXTITEMS_H_

#include <array>
#include <cstddef>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Describe.h"
#include "framework/TTimeStamp.h"

namespace statcore {

// How a record's text opens, separates a label from its value, and closes.
struct TextStyle {
  const char *open = "{";
  const char *colon = ":";
  const char *close = "}";
};

class LineSink {
public:
  explicit LineSink(const TextStyle &style) : style_(style) { out_ << style.open; }
  template <class... Item> void operator()(const Item &...items) { (items.Line(*this), ...); }
  // Writes what comes before the value, and returns the stream for the value.
  std::ostream &Label(std::string_view label, const char *colon) {
    if (!first_)
      out_ << ", ";
    first_ = false;
    out_ << label << (colon ? colon : style_.colon);
    return out_;
  }
  std::string Close() {
    out_ << style_.close;
    return out_.str();
  }

private:
  std::stringstream out_;
  TextStyle style_;
  bool first_ = true;
};

struct FieldsSink {
  TFieldSink &sink;
  template <class... Item> void operator()(const Item &...items) const {
    (items.Fields(sink), ...);
  }
};

using CoveredMembers = std::vector<const void *>;

struct CoverSink {
  CoveredMembers &covered;
  template <class... Item> void operator()(const Item &...items) const {
    (items.Cover(covered), ...);
  }
};

// The label, key and colon every item has.
template <class Item> struct Labelled {
  std::string_view label;
  const char *key = nullptr;
  const char *colon = nullptr;

  Item Key(const char *k) const {
    Item item = static_cast<const Item &>(*this);
    item.key = k;
    return item;
  }
  Item Colon(const char *c) const {
    Item item = static_cast<const Item &>(*this);
    item.colon = c;
    return item;
  }
  std::string_view KeyText() const { return key ? std::string_view(key) : label; }
  std::ostream &Start(LineSink &line) const { return line.Label(label, colon); }
};

template <class T> struct ShowItem : Labelled<ShowItem<T>> {
  const T *value;
  void Line(LineSink &line) const { this->Start(line) << *value; }
  void Fields(TFieldSink &sink) const { DescribeValue(sink, this->KeyText(), *value); }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

template <class T> ShowItem<T> Show(std::string_view label, const T &value) {
  return {{label}, &value};
}

template <class As, class T> struct ShowAsItem : Labelled<ShowAsItem<As, T>> {
  const T *value;
  void Line(LineSink &line) const { this->Start(line) << static_cast<As>(*value); }
  void Fields(TFieldSink &sink) const {
    DescribeValue(sink, this->KeyText(), static_cast<As>(*value));
  }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

template <class As, class T> ShowAsItem<As, T> ShowAs(std::string_view label, const T &value) {
  return {{label}, &value};
}

template <class T, class Name> struct NamedItem : Labelled<NamedItem<T, Name>> {
  const T *value;
  Name name;
  void Line(LineSink &line) const { this->Start(line) << name(*value); }
  void Fields(TFieldSink &sink) const {
    const std::string text(name(*value));
    sink.Text(this->KeyText(), text);
  }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

template <class T, class Name>
NamedItem<T, Name> Show(std::string_view label, const T &value, Name name) {
  return {{label}, &value, name};
}

struct DurationItem : Labelled<DurationItem> {
  const TTimeStamp *value;
  void Line(LineSink &line) const { this->Start(line) << DurationText(*value); }
  void Fields(TFieldSink &sink) const { sink.Text(this->KeyText(), DurationText(*value)); }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

inline DurationItem ShowDuration(std::string_view label, const TTimeStamp &value) {
  return {{label}, &value};
}

struct TimeOfDayItem : Labelled<TimeOfDayItem> {
  const TTimeStamp *value;
  void Line(LineSink &line) const { this->Start(line) << DurationText(*value); }
  void Fields(TFieldSink &sink) const { sink.Text(this->KeyText(), InstantText(*value)); }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

inline TimeOfDayItem ShowTimeOfDay(std::string_view label, const TTimeStamp &value) {
  return {{label}, &value};
}

struct InstantItem : Labelled<InstantItem> {
  const TTimeStamp *value;
  void Line(LineSink &line) const { this->Start(line) << InstantText(*value); }
  void Fields(TFieldSink &sink) const { sink.Text(this->KeyText(), InstantText(*value)); }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

inline InstantItem ShowInstant(std::string_view label, const TTimeStamp &value) {
  return {{label}, &value};
}

template <class... T> struct GroupItem : Labelled<GroupItem<T...>> {
  std::tuple<const T *...> values;
  const char *separator = ",";

  // The text between two values, "," unless given.
  GroupItem Separator(const char *s) const {
    GroupItem item = *this;
    item.separator = s;
    return item;
  }
  void Line(LineSink &line) const {
    std::ostream &out = this->Start(line) << '[';
    const char *between = "";
    std::apply([&](const auto *...v) { ((out << between << *v, between = separator), ...); },
               values);
    out << ']';
  }
  void Fields(TFieldSink &sink) const {
    sink.BeginArray(this->KeyText());
    std::apply([&](const auto *...v) { (DescribeValue(sink, {}, *v), ...); }, values);
    sink.EndArray();
  }
  void Cover(CoveredMembers &covered) const {
    std::apply([&](const auto *...v) { (covered.push_back(v), ...); }, values);
  }
};

template <class... T> GroupItem<T...> Group(std::string_view label, const T &...values) {
  return {{label}, {&values...}};
}

template <class T, std::size_t... I>
auto GroupOfElements(std::string_view label, const T (&values)[sizeof...(I)],
                     std::index_sequence<I...>) {
  return Group(label, values[I]...);
}

// A group of every element of an array member, in index order: Group("Recv[All,NetIn]", r.Recv).
template <class T, std::size_t N> auto Group(std::string_view label, const T (&values)[N]) {
  return GroupOfElements(label, values, std::make_index_sequence<N>{});
}

template <std::size_t N> struct DurationGroupItem : Labelled<DurationGroupItem<N>> {
  std::array<const TTimeStamp *, N> values;
  void Line(LineSink &line) const {
    std::ostream &out = this->Start(line) << '[';
    const char *separator = "";
    for (const TTimeStamp *value : values) {
      out << separator << DurationText(*value);
      separator = ",";
    }
    out << ']';
  }
  void Fields(TFieldSink &sink) const {
    sink.BeginArray(this->KeyText());
    for (const TTimeStamp *value : values)
      sink.Text({}, DurationText(*value));
    sink.EndArray();
  }
  void Cover(CoveredMembers &covered) const {
    covered.insert(covered.end(), values.begin(), values.end());
  }
};

template <class... T>
DurationGroupItem<sizeof...(T)> DurationGroup(std::string_view label, const T &...values) {
  static_assert((std::is_same_v<T, TTimeStamp> && ...), "a duration group holds durations");
  return {{label}, {{&values...}}};
}

// A duration group of every element of an array member, in index order.
template <std::size_t N>
DurationGroupItem<N> DurationGroup(std::string_view label, const TTimeStamp (&values)[N]) {
  DurationGroupItem<N> item{{label}, {}};
  for (std::size_t i = 0; i < N; ++i)
    item.values[i] = &values[i];
  return item;
}

template <class T> struct ListItem : Labelled<ListItem<T>> {
  const std::vector<T> *values;
  void Line(LineSink &line) const {
    std::ostream &out = this->Start(line) << '[';
    for (const T &value : *values)
      out << value << ' ';
    out << ']';
  }
  void Fields(TFieldSink &sink) const { DescribeValue(sink, this->KeyText(), *values); }
  void Cover(CoveredMembers &covered) const { covered.push_back(values); }
};

template <class T> ListItem<T> List(std::string_view label, const std::vector<T> &values) {
  return {{label}, &values};
}

struct IndexedDurationsItem : Labelled<IndexedDurationsItem> {
  const std::vector<TTimeStamp> *values;
  void Line(LineSink &line) const {
    std::ostream &out = this->Start(line);
    for (std::size_t i = 0; i < values->size(); ++i)
      out << " [" << i << ',' << DurationText((*values)[i]) << ']';
  }
  void Fields(TFieldSink &sink) const {
    sink.BeginArray(this->KeyText());
    for (const TTimeStamp &value : *values)
      sink.Text({}, DurationText(value));
    sink.EndArray();
  }
  void Cover(CoveredMembers &covered) const { covered.push_back(values); }
};

inline IndexedDurationsItem IndexedDurations(std::string_view label,
                                             const std::vector<TTimeStamp> &values) {
  return {{label}, &values};
}

template <class R> std::string RenderLine(const R &record);

template <class R> struct NestedItem : Labelled<NestedItem<R>> {
  const R *record;
  void Line(LineSink &line) const { this->Start(line) << RenderLine(*record); }
  void Fields(TFieldSink &sink) const { DescribeValue(sink, this->KeyText(), *record); }
  void Cover(CoveredMembers &covered) const { covered.push_back(record); }
};

template <class R> NestedItem<R> Nested(std::string_view label, const R &record) {
  return {{label}, &record};
}

template <class T, class Name> struct StructuredOnlyItem {
  const char *key;
  const T *value;
  Name name;
  void Line(LineSink &) const {}
  void Fields(TFieldSink &sink) const {
    const std::string text(name(*value));
    sink.Text(key, text);
  }
  void Cover(CoveredMembers &covered) const { covered.push_back(value); }
};

template <class T, class Name>
StructuredOnlyItem<T, Name> StructuredOnly(const char *key, const T &value, Name name) {
  return {key, &value, name};
}

} // namespace statcore

// The label and the member of the record `r` in a layout's text list, for an item labelled
// with the member's name: Show(MEMBER(VG)) is Show("VG", r.VG).
#define MEMBER(member) #member, r.member

#endif // STATCLIENT_CORE_TEXTITEMS_H_
