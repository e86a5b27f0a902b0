// The data that describes how one event family becomes metrics, and the stored form of its rows.
//
// A family is a table: the labels that key its rows, one FieldSpec per exported field (its path
// in the record's field walk, the metric it feeds, the help text and a reader that turns the
// field into the published number), child tables for the lists nested in a row, aggregates
// that count or combine rows under other labels, and the fields it leaves out with the reason.
// Adding a family, or a field to one, adds entries to these tables; the decoding, storing,
// expiring and rendering code is shared (Family.h, ExportState.cpp).
//
// Everything here is constant data built once; readers are plain functions of the record.
#ifndef STATCLIENT_TOOLS_STATEXPORT_FAMILYSPEC_H_
#define STATCLIENT_TOOLS_STATEXPORT_FAMILYSPEC_H_

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace statexport {

// At most three numbers identify a row, a child row or an aggregate series.
using Key = std::array<long, 3>;

// How a key number becomes a label value.
enum class LabelFormat {
  Number,        // decimal
  RoutingState,  // TpsTRoutingState::ToString
  PresenceState, // TpsTPresenceState::ToString
  Medium,        // MediaTypeToString
  MediaState,    // MediaStateToString
  ContactType,   // ContactTypeToString
  HandlingState, // HandlingStateToString
  ContactState,  // TCMState::ToString
  CsmType,       // CSMTypeToString
};

struct LabelSpec {
  const char *name;
  LabelFormat format;
  const char *path; // the field the value comes from
};

std::string LabelValue(LabelFormat format, long value);

// One exported field: where the field walk finds it, the metric it feeds and how it is read:
// a plain 32-bit member straight through its member pointer, anything else through a small
// function. Fields that are one meaning split by a fixed group (the five answer intervals)
// share their metric and tell their series apart by a constant label. A detail field is
// published only with ExportOptions::perUserDetail (see docs/metrics.md, "Cardinality").
template <class Row> struct FieldSpec {
  FieldSpec(const char *path, const char *metric, const char *help, double (*read)(const Row &),
            const char *labelName = nullptr, const char *labelValue = nullptr)
      : path(path), metric(metric), help(help), read(read), labelName(labelName),
        labelValue(labelValue) {}
  FieldSpec(const char *path, const char *metric, const char *help, long Row::*number,
            const char *labelName = nullptr, const char *labelValue = nullptr)
      : path(path), metric(metric), help(help), number(number), labelName(labelName),
        labelValue(labelValue) {}

  double Read(const Row &row) const {
    return number ? static_cast<double>(row.*number) : read(row);
  }

  const char *path; // relative to its record, as the field walk names it ("Shf.WTAns")
  const char *metric;
  const char *help;
  double (*read)(const Row &row) = nullptr;
  long Row::*number = nullptr;
  const char *labelName = nullptr;
  const char *labelValue = nullptr;
  bool detail = false;
};

// The field marked as a per-user detail.
template <class Row> FieldSpec<Row> Detail(FieldSpec<Row> field) {
  field.detail = true;
  return field;
}

// A field the exporter does not publish, and why.
struct LeftOut {
  const char *path;
  const char *reason;
};

// The metadata of one exported field, without its reader.
struct MetricInfo {
  const char *path;
  const char *metric;
  const char *help;
  const char *labelName = nullptr;
  const char *labelValue = nullptr;
  bool detail = false;
};

// One level of a family: the labels its rows add, the metrics of each row, the nested levels.
struct TableInfo {
  const char *path = "";           // the list this level comes from ("" for the family's rows)
  bool detail = false;             // a nested level published only with perUserDetail
  std::vector<LabelSpec> labels;   // the key labels this level adds
  std::vector<MetricInfo> metrics; // in the order of the values of each stored row
  std::vector<LeftOut> leftOut;
  std::vector<TableInfo> children; // in the order of the children of each stored row
};

enum class AggregateOp { Count, Sum, Max };

// A metric that combines rows: each row contributes (labels, value) pairs at ingest and a
// scrape counts, sums or takes the largest of them per label set.
struct AggregateInfo {
  const char *metric;
  const char *help;
  std::vector<LabelSpec> labels;
  AggregateOp op;
  std::vector<const char *> from; // the fields it reads besides its labels' (relative to a row)
  bool perUser = false;           // a series per user: only with perUser
  bool detail = false;            // only with perUserDetail
};

struct Contribution {
  std::size_t aggregate; // index into the family's aggregates
  Key labels{};
  double value = 1;
};

// A stored row: its own key (the key of its level), its values in the order of the level's
// metrics (NaN leaves a series out) and the rows of each nested level.
struct StoredRow {
  Key key{};
  std::vector<double> values;
  std::vector<std::vector<StoredRow>> children;
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_FAMILYSPEC_H_
