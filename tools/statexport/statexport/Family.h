// One event family as the exporter sees it: the event id and name, how its rows merge into the
// state, its tables (FamilySpec.h), and the decoding of a payload into stored rows.
//
// Decoding unpacks the payload into the family's event class once and reads each field through
// its table's reader (a member pointer or a small function): no field walk and no text. The
// rows land in a Batch whose storage is kept from one event to the next, so a steady stream of
// events of the same shape allocates nothing beyond what unpacking itself does.
//
// Families are constant once built (AllFamilies); Decode may run on any thread with its own
// Batch. Decode never throws: a payload that does not unpack in full returns false.
#ifndef STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_
#define STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <statclient/statclient.h>

#include "statexport/Convert.h"
#include "statexport/FamilySpec.h"

namespace statexport {

using Children = std::vector<std::vector<StoredRow>>; // the rows of each nested level

// A decoded event, ready to merge: per row its entity key, its values (`width` of them, in
// table order), the start of its period (cumulative families; NaN when unknown), its nested
// rows and its contributions to the aggregates (`contributionEnds[i]` ends row i's).
struct Batch {
  std::size_t rows = 0;
  std::size_t width = 0;
  std::vector<Key> keys;
  std::vector<double> values;
  std::vector<double> periodStarts;
  std::vector<Children> children;
  std::vector<Contribution> contributions;
  std::vector<std::size_t> contributionEnds;
  std::vector<double> eventValues; // the fields of the event around its list
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

  // Unpacks the payload and fills `batch`; false when it does not unpack in full. With
  // `rowValues` false only the keys and the contributions are read.
  virtual bool Decode(const void *payload, std::size_t size, bool rowValues,
                      Batch &batch) const = 0;
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
template <class Row> struct LevelSpec;

template <class Parent> class ChildLevel {
public:
  virtual ~ChildLevel() = default;
  virtual void Extract(const Parent &parent, std::vector<StoredRow> &out) const = 0;
  virtual TableInfo Info() const = 0;
};

template <class Row> struct LevelSpec {
  std::vector<LabelSpec> labels;
  Key (*key)(const Row &row, std::size_t index) = nullptr;
  std::vector<FieldSpec<Row>> fields;
  std::vector<LeftOut> leftOut;
  std::vector<std::shared_ptr<const ChildLevel<Row>>> children;
  bool detail = false; // as a nested level: published only with perUserDetail

  TableInfo Info(const char *path) const {
    TableInfo info;
    info.path = path;
    info.detail = detail;
    info.labels = labels;
    for (const FieldSpec<Row> &field : fields)
      info.metrics.push_back(
          {field.path, field.metric, field.help, field.labelName, field.labelValue, field.detail});
    info.leftOut = leftOut;
    for (const auto &child : children)
      info.children.push_back(child->Info());
    return info;
  }

  void Extract(const Row &row, std::size_t index, StoredRow &out) const {
    out.key = key(row, index);
    out.values.resize(fields.size());
    ExtractValues(row, out.values.data());
    ExtractChildren(row, out.children);
  }
  void ExtractValues(const Row &row, double *out) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
      out[i] = fields[i].Read(row);
  }
  void ExtractChildren(const Row &row, Children &out) const {
    out.resize(children.size());
    for (std::size_t i = 0; i < children.size(); ++i)
      children[i]->Extract(row, out[i]);
  }
};

// A nested list of a row (a vector member) as a level of its own.
template <class Parent, class Child> class ListLevel : public ChildLevel<Parent> {
public:
  ListLevel(const char *path, const std::vector<Child> &(*list)(const Parent &),
            LevelSpec<Child> spec)
      : path_(path), list_(list), spec_(std::move(spec)) {}

  void Extract(const Parent &parent, std::vector<StoredRow> &out) const override {
    const std::vector<Child> &rows = list_(parent);
    out.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
      spec_.Extract(rows[i], i, out[i]);
  }
  TableInfo Info() const override { return spec_.Info(path_); }

private:
  const char *path_;
  const std::vector<Child> &(*list_)(const Parent &);
  LevelSpec<Child> spec_;
};

template <class Parent, class Child>
std::shared_ptr<const ChildLevel<Parent>>
List(const char *path, const std::vector<Child> &(*list)(const Parent &), LevelSpec<Child> spec) {
  return std::make_shared<ListLevel<Parent, Child>>(path, list, std::move(spec));
}

// The family of one event class: its rows' level, the fields around the list, the aggregates'
// contributions of a row and the period start of a row.
template <class Event> class EventFamily : public Family {
public:
  using Row = RecordOf<Event>;

  LevelSpec<Row> rows;
  std::vector<FieldSpec<Event>> eventFields;
  std::vector<LeftOut> eventLeftOut;
  void (*contribute)(const Row &row, bool perUser, std::vector<Contribution> &out) = nullptr;
  double (*periodStart)(const Row &row) = nullptr;
  double (*eventPeriodStart)(const Event &event) = nullptr;

  // Fills the metadata from the specs; call once the specs are complete.
  void Finish() {
    table = rows.Info("");
    eventTable.metrics.clear();
    for (const FieldSpec<Event> &field : eventFields)
      eventTable.metrics.push_back(
          {field.path, field.metric, field.help, field.labelName, field.labelValue, field.detail});
    eventTable.leftOut = eventLeftOut;
  }

  bool Decode(const void *payload, std::size_t size, bool rowValues, Batch &batch) const override {
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
    const std::size_t count = event.EventDataList.size();
    const std::size_t width = rowValues ? rows.fields.size() : 0;
    const bool nested = rowValues && !rows.children.empty();
    batch.width = width;
    batch.keys.resize(count);
    batch.values.resize(count * width);
    batch.periodStarts.resize(count);
    batch.children.resize(nested ? count : 0);
    batch.contributions.clear();
    batch.contributionEnds.resize(count);
    batch.rows = 0;
    const double eventStart = eventPeriodStart ? eventPeriodStart(event) : kUnknown;
    for (std::size_t index = 0; index < count; ++index) {
      const Row *record = event.EventDataList[index];
      if (!record)
        continue;
      const std::size_t at = batch.rows++;
      batch.keys[at] = rows.key(*record, index);
      if (width)
        rows.ExtractValues(*record, batch.values.data() + at * width);
      if (nested)
        rows.ExtractChildren(*record, batch.children[at]);
      if (contribute)
        contribute(*record, rowValues, batch.contributions);
      batch.contributionEnds[at] = batch.contributions.size();
      const double start = periodStart ? periodStart(*record) : kUnknown;
      batch.periodStarts[at] = std::isnan(start) ? eventStart : start;
    }
    batch.eventValues.resize(eventFields.size());
    for (std::size_t i = 0; i < eventFields.size(); ++i)
      batch.eventValues[i] = eventFields[i].Read(event);
    return true;
  }
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_FAMILY_H_
