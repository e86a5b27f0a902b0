// What the shared event test suite needs to know about each event class: its record class, the
// source name and release text it reports with, how to release it, and how to fill a record
// with values that differ from the defaults and from one seed to the next.
//
// To run the suite over another event class, specialise EventCase for it and add it to
// EventTypes. Fill should not leave a raw enumeration as the last packed field of a record:
// a cut inside one is not an error, so the truncation test would not see a throw there.
#ifndef STATCLIENT_TESTS_EVENT_CASES_H_
#define STATCLIENT_TESTS_EVENT_CASES_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

template <class E> struct EventCase;

template <> struct EventCase<TGroupRealTimeEvent> {
  using Record = TEventDataGroupRealTime;
  static constexpr const char *kSource = "EventData/tstTEventDataGroupRealTime";
  static constexpr const char *kReleaseFailed = "TGroupRealTimeEvent::Clear: Exception occured";
  // Bytes before the record count in a packed event.
  static constexpr unsigned long kCountOffset = 0;

  static void Release(TGroupRealTimeEvent &event) { event.Clear(); }
  static void Fill(Record &r, long seed) {
    long *fields[] = {&r.VG,
                      &r.BU,
                      &r.LoggedOnUsers,
                      &r.IdleUsers,
                      &r.AwayUsers,
                      &r.BusyUsers,
                      &r.HndlRoutedUsers,
                      &r.HndlDirectOnlyUsers,
                      &r.RoutedHndl,
                      &r.DirectHndl,
                      &r.PrimWaiting,
                      &r.OverWaiting,
                      &r.MinLoggedOnCap,
                      &r.MinAvailCap,
                      &r.MinUnavailCap,
                      &r.MinWorkCap,
                      &r.MaxLoggedOnCap,
                      &r.MaxAvailCap,
                      &r.MaxUnavailCap,
                      &r.MaxWorkCap};
    long value = seed * 100;
    for (long *field : fields)
      *field = ++value;
  }
  static void Touch(Record &r) { r.MaxWorkCap += 7; }
};

template <> struct EventCase<TContactRealTimeEvent> {
  using Record = TEventDataContactRealTime;
  static constexpr const char *kSource = "EventData/tstTEventDataContactRealTime";
  static constexpr const char *kReleaseFailed = "TContactRealTimeEvent::Clear: Exception occured";
  static constexpr unsigned long kCountOffset = 0;

  static void Release(TContactRealTimeEvent &event) { event.Clear(); }
  static void Fill(Record &r, long seed) {
    r.State = static_cast<TCMState::enContactState>(seed % 15 - 1);
    r.QK = static_cast<short>(seed + 1);
    r.MT = seed % 6;
    r.Priority = static_cast<short>(-seed - 2);
    r.TimeInState = seed + 3;
    r.WaitTime = seed + 4;
    r.VG = seed + 5;
    r.REQC = seed + 6;
    r.ResvdAK = seed + 7;
    r.BU = seed + 8;
    r.CID = "cid-" + std::to_string(seed);
    r.Dest = "dest-" + std::to_string(seed);
    r.Src = "src-" + std::to_string(seed);
    r.Desc = "desc-" + std::to_string(seed);
  }
  static void Touch(Record &r) { r.Desc += "!"; }
};

template <> struct EventCase<TCallbackRealTimeEvent> {
  using Record = TEventDataCallbackRealTime;
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackRealTime";
  static constexpr const char *kReleaseFailed = "TCallbackRealTimeEvent::Clear: Exception occurred";
  static constexpr unsigned long kCountOffset = 0;

  static void Release(TCallbackRealTimeEvent &event) { event.Clear(); }
  static void Fill(Record &r, long seed) {
    r.REQC = seed + 1;
    r.State = static_cast<TCMState::enContactState>(seed % 15 - 1);
    r.Origin = static_cast<short>(seed + 2);
    r.BU = seed + 3;
    r.QK = seed + 4;
    r.CreatorAK = seed + 5;
    r.AttemptStatus = seed + 6;
    r.LastAK = seed + 7;
    r.AttemptsCount = seed + 8;
    r.TimeInState = seed + 9;
    r.WaitTime = seed + 10;
    r.CID = "cb-" + std::to_string(seed);
    r.CustName = "name-" + std::to_string(seed);
    r.CustNum = "num-" + std::to_string(seed);
    r.Desc = "desc-" + std::to_string(seed);
  }
  static void Touch(Record &r) { r.CustNum += "0"; }
};

using EventTypes =
    ::testing::Types<TGroupRealTimeEvent, TContactRealTimeEvent, TCallbackRealTimeEvent>;

#endif // STATCLIENT_TESTS_EVENT_CASES_H_
