#include "records/tstTCallbackLogs.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TCallbackAttemptLog> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_CALLBACK_ATTEMPT_LOG_FIELDS(STATCORE_WIRE_MEMBER)
  }
};

template <> struct Layout<TCallbackScheduleLog> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_CALLBACK_SCHEDULE_LOG_FIELDS(STATCORE_WIRE_MEMBER)
  }
};

} // namespace statcore

TCallbackAttemptLog::~TCallbackAttemptLog() = default;
TCallbackScheduleLog::~TCallbackScheduleLog() = default;

STATCORE_DEFINE_SIZE(TCallbackAttemptLog)
STATCORE_DEFINE_SIZE(TCallbackScheduleLog)
STATCORE_DEFINE_RECORD_OPERATORS(TCallbackAttemptLog)
STATCORE_DEFINE_RECORD_OPERATORS(TCallbackScheduleLog)
STATCORE_DEFINE_WALK(TCallbackAttemptLog)
STATCORE_DEFINE_WALK(TCallbackScheduleLog)
