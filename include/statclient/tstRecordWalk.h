// Walking records as (key, value) pairs, adding records to an event, and finding where a
// payload broke.
//
// WalkFields(record, sink) hands every field of a record or event to a TFieldSink, in the
// order of the record's one-line text (records without a text use their wire order). Keys are
// the labels of the text, unique within one record: where a label repeats or is built from
// the data, the key is the member's name instead (the two "WT" of the shift statistics are
// "WTAns" and "WTAbd"; "QK(T)" is the key "QK" followed by "Medium"). Nested records are
// objects, fixed groups and vectors are arrays, durations and points in time are their texts,
// names from the name tables are texts. Events give their fixed fields and then
// "EventDataList", an array of record objects. Walking never changes the record.
//
// AddRecord(event) allocates a default record as unpacking does (the framework's tracked
// allocation, registered with the memory accounting), appends it to the event's list and
// returns it for the caller to fill; Clear, assignment and destruction of the event release it.
// When the tracked allocation yields no storage nothing is appended and the result is null.
//
// LastUnpackBreak() names the field in which the last failed unpack on this thread broke, as a
// path from the outermost value: "EventDataList[2].ContactStatistics[1].CID". Empty when no
// unpack has failed on this thread.
//
// All three are instantiated by the library for each of its record and event classes; another
// class does not link.
#ifndef STATCLIENT_TSTRECORDWALK_H_
#define STATCLIENT_TSTRECORDWALK_H_

#include <string>
#include <string_view>
#include <type_traits>

// Receives the fields of a walked record. An array's elements come with an empty key.
class TFieldSink {
public:
  virtual ~TFieldSink() = default;
  virtual void Integer(std::string_view key, long long value) = 0;
  virtual void Real(std::string_view key, double value) = 0;
  virtual void Boolean(std::string_view key, bool value) = 0;
  virtual void Text(std::string_view key, std::string_view value) = 0;
  virtual void BeginObject(std::string_view key) = 0;
  virtual void EndObject() = 0;
  virtual void BeginArray(std::string_view key) = 0;
  virtual void EndArray() = 0;
};

template <class Record> void WalkFields(const Record &record, TFieldSink &sink);

// The record class an event owns.
template <class Event>
using RecordOf = std::remove_pointer_t<typename decltype(Event::EventDataList)::value_type>;

template <class Event> RecordOf<Event> *AddRecord(Event &event);

std::string LastUnpackBreak();

#endif // STATCLIENT_TSTRECORDWALK_H_
