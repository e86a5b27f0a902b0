// Every record class of the library, for the suites that run over all of them: first those
// with a one-line text, then those without one.
#ifndef STATCLIENT_TESTS_RECORD_TYPES_H_
#define STATCLIENT_TESTS_RECORD_TYPES_H_

#include <gtest/gtest.h>

#include <statclient/statclient.h>

using RecordTypes = ::testing::Types<
    TEventDataGroupRealTime, TEventDataContactRealTime, TEventDataCallbackRealTime,
    TEventDataUserRealTime, TEventDataUserMediaStatistics, TEventDataUserPresenceStateStatistics,
    TEventDataUserContactStatistics, TEventDataUserCSMStatistics, TEventDataQueueRealTime,
    TEventDataSiteStatistics, TEventDataSampleStatistics, TEventDataShiftStatistics,
    TEventDataEstimatedStatistics, TEventDataUpdateContactLog, TEventDataUserCumulative,
    TEventDataUserContactTypeStatistics, TEventDataQueueCumulative, TEventDataGroupCumulative,
    TEventDataDestinationCumulative, TEventDataRoutingStateCumulative,
    TEventDataRoutingStateStatistics, TEventDataPostProcessingCumulative,
    TEventDataPostProcessingReasonStatistics, TEventDataContactResultsCumulative,
    TEventDataContactResultsStatistics, TEventDataCallbackCumulative,
    TEventDataCDComponentCumulative, TEventDataWorkFlowCumulative, TContactDetailCommonFields,
    TContactDetail, TCallbackAttemptLog, TCallbackScheduleLog, TOpenMediaContent, TErrorRecord,
    TContactLogStatistics, TEventDataContactLog, TQueryContactLogDataEvent>;

#endif // STATCLIENT_TESTS_RECORD_TYPES_H_
