#include "tstTCallbackLogs.h"

TCallbackAttemptLog::~TCallbackAttemptLog() = default;
TCallbackScheduleLog::~TCallbackScheduleLog() = default;

TST_DEFINE_WIRE_SIZE(TCallbackAttemptLog)
TST_DEFINE_WIRE_SIZE(TCallbackScheduleLog)
TST_DEFINE_WIRE_OPERATORS(TCallbackAttemptLog)
TST_DEFINE_WIRE_OPERATORS(TCallbackScheduleLog)
