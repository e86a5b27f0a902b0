// Every event class of the shared event suite, with what the suite needs to know about it.
#ifndef STATCLIENT_TESTS_EVENT_CASES_H_
#define STATCLIENT_TESTS_EVENT_CASES_H_

#include <gtest/gtest.h>

#include "cases/realtime.h"

using EventTypes =
    ::testing::Types<TGroupRealTimeEvent, TContactRealTimeEvent, TCallbackRealTimeEvent,
                     TUserRealTimeEvent, TQueueRealTimeEvent>;

#endif // STATCLIENT_TESTS_EVENT_CASES_H_
