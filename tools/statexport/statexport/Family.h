// One event family as the exporter sees it: the event id and name, how its rows merge into the
// state, its tables (TableEntries.h), and the decoding of a payload into stored rows.
//
// Ingesting unpacks the payload into the family's event class once, outside any lock, then
// reads each field through its table's reader (a member pointer or a small function) straight
// into the storage the merge target hands out: no field walk, no text, no copy in between. The
// target's storage is kept from one event to the next, so a steady stream of events of the same
// shape allocates nothing beyond what unpacking itself does.
//
// Families are constant once built (AllFamilies); Ingest may run on any thread. It never
// throws for bad input: a payload that does not unpack in full returns false and leaves the
// target untouched.
#ifndef STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_
#define STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <statclient/statclient.h>

#include "statexport/Convert.h"
#include "statexport/TableEntries.h"

namespace statexport {

using Children = std::vector<std::vector<StoredRow>>; // the rows of each nested level

// Where a decoded event goes: the state, which takes its lock in Begin and gives it back in
// End, and hands out the storage of each row's entity in between.
struct RowOut {
  bool skip = false;               // the row is older than what the entity holds
  std::int32_t *numbers = nullptr; // the entity's plain 32-bit fields (Family::columns)
  double *reals = nullptr;         // the entity's computed values (Family::columns)
  Children *children = nullptr;    // the entity's nested rows
  std::vector<Contribution> *contributions = nullptr;
};

class MergeTarget {
public:
  virtual ~MergeTarget() = default;
  // `rows` rows follow, each with `numbers` plain fields and `reals` others.
  virtual void Begin(std::size_t rows, std::size_t numbers, std::size_t reals) = 0;
  // The storage for row `index`, the entity `key`; `periodStart` is NaN when unknown.
  virtual RowOut Row(std::size_t index, const Key &key, double periodStart) = 0;
  virtual void End(const std::vector<double> &eventValues) = 0;
};

// How an event's rows change the family's entities.
enum class MergeRule {
  ByEntity, // each row replaces the values of the entity it names; the others stay
  Snapshot, // the event is the whole current list: it replaces every row of the family
};

class Family {
public:
  virtual ~Family() = default;

  int id = 0;
  const char *eventName = "";
  MergeRule merge = MergeRule::ByEntity;
  bool cumulative = false;
  bool perUserOnly = false;       // rows are users: their series only with perUser
  const char *historyMetric = ""; // a root metric whose recent values the wallboard plots
  TableInfo table;                // the rows and their nested levels
  TableInfo eventTable;           // the fields around the list, one series each
  std::vector<AggregateInfo> aggregates;
  const char *periodStartMetric = ""; // cumulative: the period start's metric
  std::vector<const char *> periodStartPaths;

  // Where each root metric's value is stored: the plain 32-bit fields (read through a member
  // pointer) apart from the computed ones, in table order within each kind.
  struct Column {
    bool number;
    std::size_t index;
  };
  std::vector<Column> columns;
  std::size_t numberColumns = 0;
  std::size_t realColumns = 0;

  // Unpacks the payload and merges its rows into `target`; false when it does not unpack in
  // full. With `rowValues` false only the keys and the contributions are read; with `details`
  // false the nested levels marked as details are left empty.
  virtual bool Ingest(const void *payload, std::size_t size, bool rowValues, bool details,
                      MergeTarget &target) const = 0;
};

// Every family, in event id order; built once, constant afterwards.
const std::vector<std::unique_ptr<Family>> &AllFamilies();
const Family *FindFamily(int eventId);

// --- Building blocks of the tables -------------------------------------------------------------

template <class> struct MemberClass;
template <class C, class T> struct MemberClass<T C::*> { using type = C; };
template <auto M> using ClassOf = typename MemberClass<decltype(M)>::type;

// Readers for the common shapes of field: a number, an element of a fixed group, a duration,
// a percentage.
template <auto M> double Num(const ClassOf<M> &row) { return static_cast<double>(row.*M); }
template <auto M, std::size_t I> double NumAt(const ClassOf<M> &row) {
  return static_cast<double>((row.*M)[I]);
}
template <auto M> double Dur(const ClassOf<M> &row) { return Seconds(row.*M); }
template <auto M, std::size_t I> double DurAt(const ClassOf<M> &row) {
  return Seconds((row.*M)[I]);
}
template <auto M> double Pct(const ClassOf<M> &row) { return Ratio(row.*M); }
template <auto M> double Flt(const ClassOf<M> &row) { return FloatValue(row.*M); }

// One level of rows of type Row: its key, fields and nested levels.
template <class Row> struct LevelTable;

template <class Parent> class ChildLevel {
public:
  virtual ~ChildLevel() = default;
  virtual void Extract(const Parent &parent, std::vector<StoredRow> &out) const = 0;
  virtual TableInfo Info() const = 0;
  virtual bool Detail() const = 0;
};

template <class Row> struct LevelTable {
  std::vector<LabelEntry> labels;
  // A row is keyed by one plain member, or by what `key` makes of it and its place in the list.
  long Row::*keyMember = nullptr;
  Key (*key)(const Row &row, std::size_t index) = nullptr;

  Key KeyOf(const Row &row, std::size_t index) const {
    return keyMember ? Key{row.*keyMember, 0, 0} : key(row, index);
  }
  std::vector<FieldEntry<Row>> fields;
  std::vector<LeftOut> leftOut;
  std::vector<std::shared_ptr<const ChildLevel<Row>>> children;
  bool detail = false; // as a nested level: published only with perUserDetail

private:
  std::vector<std::pair<std::size_t, long Row::*>> numbers_;
  std::vector<std::pair<std::size_t, double (*)(const Row &)>> readers_;
  std::vector<long Row::*> numberMembers_; // the members of numbers_, packed for ExtractColumns

public:
  TableInfo Info(const char *path) const {
    TableInfo info;
    info.path = path;
    info.detail = detail;
    info.labels = labels;
    for (const FieldEntry<Row> &field : fields)
      info.metrics.push_back(
          {field.path, field.metric, field.help, field.labelName, field.labelValue, field.detail});
    info.leftOut = leftOut;
    for (const auto &child : children)
      info.children.push_back(child->Info());
    return info;
  }

  void Extract(const Row &row, std::size_t index, StoredRow &out) const {
    out.key = KeyOf(row, index);
    out.values.resize(fields.size());
    ExtractValues(row, out.values.data());
    ExtractChildren(row, out.children);
  }
  void ExtractValues(const Row &row, double *out) const {
    for (const auto &[at, member] : numbers_)
      out[at] = static_cast<double>(row.*member);
    for (const auto &[at, read] : readers_)
      out[at] = read(row);
  }
  // The plain fields as they are (32-bit on the wire), the computed ones as doubles.
  void ExtractColumns(const Row &row, std::int32_t *numbers, double *reals) const {
    // Most fields keep their value from one event to the next: reading first lets the stored
    // row stream in rather than be fetched for every write.
    const std::size_t count = numberMembers_.size();
    const auto *members = numberMembers_.data();
    for (std::size_t i = 0; i < count; ++i) {
      const auto value = static_cast<std::int32_t>(row.*members[i]);
      if (numbers[i] != value)
        numbers[i] = value;
    }
    for (std::size_t i = 0; i < readers_.size(); ++i)
      reals[i] = readers_[i].second(row);
  }
  std::size_t NumberCount() const { return numbers_.size(); }
  std::size_t ReaderCount() const { return readers_.size(); }
  // Sorts the fields into plain members and computed ones, so that extraction runs two tight
  // loops; call once the fields are complete.
  void Compile() {
    numbers_.clear();
    readers_.clear();
    numberMembers_.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].number) {
        numbers_.emplace_back(i, fields[i].number);
        numberMembers_.push_back(fields[i].number);
      } else {
        readers_.emplace_back(i, fields[i].read);
      }
    }
  }
  // The nested levels; the detail levels only with `details` (otherwise left empty).
  void ExtractChildren(const Row &row, Children &out, bool details = true) const {
    out.resize(children.size());
    for (std::size_t i = 0; i < children.size(); ++i)
      if (details || !children[i]->Detail())
        children[i]->Extract(row, out[i]);
  }
};

// A nested list of a row (a vector member) as a level of its own.
template <class Parent, class Child> class ListLevel : public ChildLevel<Parent> {
public:
  ListLevel(const char *path, const std::vector<Child> &(*list)(const Parent &),
            LevelTable<Child> table)
      : path_(path), list_(list), table_(std::move(table)) {
    table_.Compile();
  }

  void Extract(const Parent &parent, std::vector<StoredRow> &out) const override {
    const std::vector<Child> &rows = list_(parent);
    out.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
      table_.Extract(rows[i], i, out[i]);
  }
  TableInfo Info() const override { return table_.Info(path_); }
  bool Detail() const override { return table_.detail; }

private:
  const char *path_;
  const std::vector<Child> &(*list_)(const Parent &);
  LevelTable<Child> table_;
};

template <class Parent, class Child>
std::shared_ptr<const ChildLevel<Parent>>
List(const char *path, const std::vector<Child> &(*list)(const Parent &), LevelTable<Child> table) {
  return std::make_shared<ListLevel<Parent, Child>>(path, list, std::move(table));
}

// The family of one event class: its rows' level, the fields around the list, the aggregates'
// contributions of a row and the period start of a row.
template <class Event> class EventFamily : public Family {
public:
  using Row = RecordOf<Event>;

  LevelTable<Row> rows;
  std::vector<FieldEntry<Event>> eventFields;
  std::vector<LeftOut> eventLeftOut;
  void (*contribute)(const Row &row, bool perUser, std::vector<Contribution> &out) = nullptr;
  double (*periodStart)(const Row &row) = nullptr;
  double (*eventPeriodStart)(const Event &event) = nullptr;

  // Fills the metadata from the entries; call once the entries are complete.
  void Finish() {
    rows.Compile();
    table = rows.Info("");
    columns.clear();
    std::size_t numbers = 0;
    std::size_t reals = 0;
    for (const FieldEntry<Row> &field : rows.fields)
      columns.push_back(field.number ? Column{true, numbers++} : Column{false, reals++});
    numberColumns = rows.NumberCount();
    realColumns = rows.ReaderCount();
    eventTable.metrics.clear();
    for (const FieldEntry<Event> &field : eventFields)
      eventTable.metrics.push_back(
          {field.path, field.metric, field.help, field.labelName, field.labelValue, field.detail});
    eventTable.leftOut = eventLeftOut;
  }

  bool Ingest(const void *payload, std::size_t size, bool rowValues, bool details,
              MergeTarget &target) const override {
    Event event;
    try {
      TPack pack(const_cast<void *>(payload), static_cast<unsigned long>(size));
      pack >> event;
      if (pack.Length() != 0)
        return false;
    } catch (...) {
      return false;
    }
    constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
    const bool values = rowValues && !rows.fields.empty();
    const bool nested = rowValues && !rows.children.empty();
    const double eventStart = eventPeriodStart ? eventPeriodStart(event) : kUnknown;
    std::vector<double> eventValues(eventFields.size());
    for (std::size_t i = 0; i < eventFields.size(); ++i)
      eventValues[i] = eventFields[i].Read(event);
    target.Begin(event.EventDataList.size(), values ? numberColumns : 0, values ? realColumns : 0);
    std::size_t at = 0;
    for (const Row *record : event.EventDataList) {
      if (!record)
        continue;
      const double start = periodStart ? periodStart(*record) : kUnknown;
      const RowOut out =
          target.Row(at, rows.KeyOf(*record, at), std::isnan(start) ? eventStart : start);
      ++at;
      if (out.skip)
        continue;
      if (values)
        rows.ExtractColumns(*record, out.numbers, out.reals);
      if (nested)
        rows.ExtractChildren(*record, *out.children, details);
      if (contribute) {
        out.contributions->clear();
        contribute(*record, rowValues, *out.contributions);
      }
    }
    target.End(eventValues);
    return true;
  }
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_
