// The callback history of a contact detail: one record per dialling attempt
// (TCallbackAttemptLog) and one per scheduled period (TCallbackScheduleLog).
//
// Plain values with set-flags (see tstSetFlags.h). The flags never travel: unpacking writes the
// fields and leaves the flags as they were; copies carry fields and flags.
#ifndef STATCLIENT_RECORDS_TSTTCALLBACKLOGS_H_
#define STATCLIENT_RECORDS_TSTTCALLBACKLOGS_H_

#include <string>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "tstSetFlags.h"

// Fields of TCallbackAttemptLog in wire order (format in tstSetFlags.h).
#define TST_CALLBACK_ATTEMPT_LOG_FIELDS(FIELD)                                                     \
  FIELD(Sequence, Long, Val, 0, Plain, 0)                                                          \
  FIELD(AttemptResult, Long, Val, 1, Plain, 0)                                                     \
  FIELD(RetryDelay, Long, Val, 2, Plain, 0)                                                        \
  FIELD(SiteKey, Long, Val, 3, Plain, 0)                                                           \
  FIELD(AgentKey, Long, Val, 4, Plain, 0)                                                          \
  FIELD(DepartmentKey, Long, Val, 5, Plain, 0)                                                     \
  FIELD(SiteTZOffset, Long, Val, 6, Plain, 0)                                                      \
  FIELD(OrigDestination, Text, Val, 7, Trimmed, "")                                                \
  FIELD(CallbackID, Text, Val, 8, Trimmed, "")                                                     \
  FIELD(AttemptID, Text, Val, 9, Trimmed, "")                                                      \
  FIELD(CreatorTime, Time, Val, 10, Plain, 1)                                                      \
  FIELD(AttemptStartTime, Time, Val, 11, Plain, 1)

// One dialling attempt made for a callback.
class TCallbackAttemptLog {
public:
  enum SetBit_TCallbackAttemptLog : int {
    TST_CALLBACK_ATTEMPT_LOG_FIELDS(TST_FIELD_ENUMERATOR) BitCount_TCallbackAttemptLog = 12
  };

  TCallbackAttemptLog() = default;
  TCallbackAttemptLog(const TCallbackAttemptLog &) = default;
  TCallbackAttemptLog &operator=(const TCallbackAttemptLog &) = default;
  virtual ~TCallbackAttemptLog();

  TST_CALLBACK_ATTEMPT_LOG_FIELDS(TST_FLAGGED_ACCESSORS)

  // Throws std::out_of_range for a position of 12 or more.
  TST_FLAG_TESTER(TCallbackAttemptLog)

  unsigned long Size() const;

private:
  template <class> friend struct statcore::Layout;
  TST_CALLBACK_ATTEMPT_LOG_FIELDS(TST_FIELD_MEMBER)
  TSetFlags<BitCount_TCallbackAttemptLog> flags_;
};

TPack &operator<<(TPack &pack, const TCallbackAttemptLog &record);
TPack &operator>>(TPack &pack, TCallbackAttemptLog &record);

// Fields of TCallbackScheduleLog in wire order; no setter trims.
#define TST_CALLBACK_SCHEDULE_LOG_FIELDS(FIELD)                                                    \
  FIELD(PhoneNumber, Text, Ref, 0, Plain, "")                                                      \
  FIELD(CallID, Text, Ref, 1, Plain, "")                                                           \
  FIELD(ContactName, Text, Ref, 2, Plain, "")                                                      \
  FIELD(ScheduleStartTime, Time, Ref, 3, Plain, 1)                                                 \
  FIELD(ScheduleEndTime, Time, Ref, 4, Plain, 1)                                                   \
  FIELD(CreatorTime, Time, Ref, 5, Plain, 1)

// One scheduled period of a callback.
class TCallbackScheduleLog {
public:
  enum SetBit_TCallbackScheduleLog : int {
    TST_CALLBACK_SCHEDULE_LOG_FIELDS(TST_FIELD_ENUMERATOR) BitCount_TCallbackScheduleLog = 6
  };

  TCallbackScheduleLog() = default;
  TCallbackScheduleLog(const TCallbackScheduleLog &) = default;
  TCallbackScheduleLog &operator=(const TCallbackScheduleLog &) = default;
  virtual ~TCallbackScheduleLog();

  TST_CALLBACK_SCHEDULE_LOG_FIELDS(TST_FLAGGED_ACCESSORS)

  // Throws std::out_of_range for a position of 6 or more.
  TST_FLAG_TESTER(TCallbackScheduleLog)

  unsigned long Size() const;

private:
  template <class> friend struct statcore::Layout;
  TST_CALLBACK_SCHEDULE_LOG_FIELDS(TST_FIELD_MEMBER)
  TSetFlags<BitCount_TCallbackScheduleLog> flags_;
};

TPack &operator<<(TPack &pack, const TCallbackScheduleLog &record);
TPack &operator>>(TPack &pack, TCallbackScheduleLog &record);

#endif // STATCLIENT_RECORDS_TSTTCALLBACKLOGS_H_
