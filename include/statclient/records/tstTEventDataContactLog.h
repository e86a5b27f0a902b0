// Contact-log records: the entries of an agent's log of handled contacts.
//
//   TContactLogStatistics       one entry
//   TEventDataContactLog        an entry with two further strings; the body of the query and
//                               delete requests, and the record part of AContactLog
//   TEventDataUpdateContactLog  the short form of an entry that the update request sends
//   TQueryContactLogDataEvent   a list of entries with three leading fields
//
// Fields are public; each record packs them in the order of its field list.
#ifndef STATCLIENT_RECORDS_TSTTEVENTDATACONTACTLOG_H_
#define STATCLIENT_RECORDS_TSTTEVENTDATACONTACTLOG_H_

#include <string>
#include <vector>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "tstSetFlags.h"

// Field lists: FIELD(Name, Type, Default), in wire order. Fields without a meaning of their
// own here are transported and copied only.
#define TST_CONTACT_LOG_STATISTICS_FIELDS(FIELD)                                                   \
  FIELD(RecordKey, long, 0)                                                                        \
  FIELD(Requeued, short, 0)                                                                        \
  FIELD(ContactType, short, 0)                                                                     \
  FIELD(ShortValue1, short, 0)                                                                     \
  FIELD(ShortValue2, short, 0)                                                                     \
  FIELD(ShortValue3, short, 0)                                                                     \
  FIELD(AgentKey, long, 0)                                                                         \
  FIELD(IntValue1, long, 0)                                                                        \
  FIELD(IntValue2, long, 0)                                                                        \
  FIELD(IntValue3, long, 0)                                                                        \
  FIELD(IntValue4, long, 0)                                                                        \
  FIELD(IntValue5, long, -1)                                                                       \
  FIELD(ContactID, std::string, "")                                                                \
  FIELD(Contact, std::string, "")                                                                  \
  FIELD(TextValue1, std::string, "")                                                               \
  FIELD(TextValue2, std::string, "")                                                               \
  FIELD(TimeValue, TTimeStamp, 1)

#define TST_EVENT_DATA_CONTACT_LOG_FIELDS(FIELD)                                                   \
  FIELD(ExtraText1, std::string, "")                                                               \
  FIELD(ExtraText2, std::string, "")

#define TST_EVENT_DATA_UPDATE_CONTACT_LOG_FIELDS(FIELD)                                            \
  FIELD(ContactType, short, 0)                                                                     \
  FIELD(AgentKey, int, 0)                                                                          \
  FIELD(RecordKey, int, 0)                                                                         \
  FIELD(Requeued, int, 0)                                                                          \
  FIELD(ContactID, std::string, "")                                                                \
  FIELD(Contact, std::string, "")

#define TST_QUERY_CONTACT_LOG_DATA_EVENT_FIELDS(FIELD, LIST)                                       \
  FIELD(ShortValue, short, 0)                                                                      \
  FIELD(IntValue, int, 0)                                                                          \
  FIELD(TextValue, std::string, "")                                                                \
  LIST(ContactLogs, BoundedList)

#define TST_PUBLIC_MEMBER(Name, Type, Default) Type Name{Default};

// One contact-log entry. RecordKey is the entry's key; an update reply replaces it.
class TContactLogStatistics {
public:
  TContactLogStatistics() = default;
  TContactLogStatistics(const TContactLogStatistics &) = default;
  TContactLogStatistics &operator=(const TContactLogStatistics &) = default;
  virtual ~TContactLogStatistics();

  TST_CONTACT_LOG_STATISTICS_FIELDS(TST_PUBLIC_MEMBER)
};

TPack &operator<<(TPack &pack, const TContactLogStatistics &record);
TPack &operator>>(TPack &pack, TContactLogStatistics &record);

class TEventDataContactLog : public TContactLogStatistics {
public:
  // The action of a contact-log request. Only the query and the update are the library's own;
  // any other value is passed to the server as a delete action.
  enum enContactLogActions : int { CONTACTLOG_QUERY = 0, CONTACTLOG_UPDATE = 3 };

  TEventDataContactLog() = default;
  TEventDataContactLog(const TEventDataContactLog &) = default;
  TEventDataContactLog &operator=(const TEventDataContactLog &) = default;
  ~TEventDataContactLog() override;

  TST_EVENT_DATA_CONTACT_LOG_FIELDS(TST_PUBLIC_MEMBER)

  unsigned long Size() const;
};

TPack &operator<<(TPack &pack, const TEventDataContactLog &record);
TPack &operator>>(TPack &pack, TEventDataContactLog &record);

// The body of a contact-log update.
class TEventDataUpdateContactLog {
public:
  TEventDataUpdateContactLog() = default;
  TEventDataUpdateContactLog(const TEventDataUpdateContactLog &) = default;
  TEventDataUpdateContactLog &operator=(const TEventDataUpdateContactLog &) = default;
  virtual ~TEventDataUpdateContactLog();

  TST_EVENT_DATA_UPDATE_CONTACT_LOG_FIELDS(TST_PUBLIC_MEMBER)

  unsigned long Size() const;
  // "{RecordK:1, CID:c, AK:2, Requeued:3, CT:4, Contact: x}": labels not in wire order.
  std::string ToString() const;
};

TPack &operator<<(TPack &pack, const TEventDataUpdateContactLog &record);
TPack &operator>>(TPack &pack, TEventDataUpdateContactLog &record);

// A list of contact-log entries. Its count travels as a signed 32-bit value; unpacking a
// negative count raises std::length_error "vector<T> too long".
class TQueryContactLogDataEvent {
public:
  TQueryContactLogDataEvent() = default;
  TQueryContactLogDataEvent(const TQueryContactLogDataEvent &) = default;
  TQueryContactLogDataEvent &operator=(const TQueryContactLogDataEvent &) = default;
  virtual ~TQueryContactLogDataEvent();

  TST_QUERY_CONTACT_LOG_DATA_EVENT_FIELDS(TST_PUBLIC_MEMBER, TST_SKIP)
  std::vector<TContactLogStatistics> ContactLogs;
};

TPack &operator<<(TPack &pack, const TQueryContactLogDataEvent &record);
TPack &operator>>(TPack &pack, TQueryContactLogDataEvent &record);

#endif // STATCLIENT_RECORDS_TSTTEVENTDATACONTACTLOG_H_
