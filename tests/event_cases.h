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

#include "support/Spans.h"

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

// A duration of the given minutes, seconds and milliseconds, each kept in its field's range.
inline TTimeStamp DurationOf(long minutes, long seconds, long millis) {
  return Span(0, 0, static_cast<unsigned short>(minutes % 60),
              static_cast<unsigned short>(seconds % 60),
              static_cast<unsigned short>(millis % 1000));
}

template <> struct EventCase<TUserRealTimeEvent> {
  using Record = TEventDataUserRealTime;
  static constexpr const char *kSource = "EventData/tstTEventDataUserRealTime";
  static constexpr const char *kReleaseFailed = "TUserRealTimeEvent::Clear: Exception occured";
  static constexpr unsigned long kCountOffset = 0;

  static void Release(TUserRealTimeEvent &event) { event.Clear(); }
  // Every nested list but the CSM activities holds records, three contacts among them, so the
  // truncation test cuts through records nested in records. The CSM list stays empty: an
  // activity ends with a raw enumeration, and a cut there is not an error.
  static void Fill(Record &r, long seed) {
    r.AK = seed + 1;
    r.BU = seed + 2;
    r.Loc = seed + 3;
    r.Ext = "ext-" + std::to_string(seed);
    r.RS = static_cast<TpsTRoutingState::enRoutingState>(seed % 6);
    r.RSTime = seed + 4;
    r.RSReason = seed + 5;
    r.Pres = static_cast<TpsTPresenceState::enPresenceState>(seed % 6);
    r.PresTime = seed + 6;
    r.PresExcDC = static_cast<TpsTPresenceState::enPresenceState>((seed + 1) % 6);
    r.PresTimeExcDC = seed + 7;
    r.UserHelpTime = seed + 8;
    r.Resvd = seed + 9;
    r.MinCapAvail = seed + 10;
    r.MinCapTotal = seed + 11;
    r.MinCapKey = seed + 12;
    r.MaxCapAvail = seed + 13;
    r.MaxCapTotal = seed + 14;
    r.MaxCapKey = seed + 15;
    r.GK = {seed + 16, seed + 17};

    TEventDataUserMediaStatistics media;
    media.Media = seed % 6;
    media.MediaState = static_cast<enMediaState>(seed % 5);
    media.ShftRtdHndl = seed + 18;
    media.ShftRtdHndlPrimTime = DurationOf(seed, seed + 1, seed + 2);
    media.ShftDirHndlNonPrimTime = DurationOf(seed + 3, seed + 4, seed + 5);
    media.ShftRtdProc = seed + 19;
    media.ShiftHandlingStateTimes = {DurationOf(1, seed, 7), DurationOf(2, seed, 8)};
    r.MediaStatistics = {media, TEventDataUserMediaStatistics()};

    TEventDataUserPresenceStateStatistics presence;
    presence.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + 2) % 6);
    presence.ShiftPresCount = seed + 20;
    presence.ShiftPresTime = DurationOf(seed + 6, seed + 7, seed + 8);
    r.PresenceStateStatistics = {presence};

    for (long i = 0; i < 3; ++i) {
      TEventDataUserContactStatistics contact;
      contact.REQC = seed * 10 + i;
      contact.CT = static_cast<enContactType>((seed + i) % 12);
      contact.QK = seed + 21;
      contact.HandlingState = static_cast<enHandlingState>((seed + i) % 12);
      contact.HandlingStateReason = seed + 22;
      contact.Primary = i == 0;
      contact.CID = "c" + std::to_string(seed * 10 + i);
      contact.AuxText = "aux" + std::to_string(i);
      r.ContactStatistics.push_back(contact);
    }
  }
  static void Touch(Record &r) { r.ContactStatistics[2].AuxText += "!"; }
};

template <> struct EventCase<TQueueRealTimeEvent> {
  using Record = TEventDataQueueRealTime;
  static constexpr const char *kSource = "EventData/tstTEventDataQueueRealTime";
  static constexpr const char *kReleaseFailed = "TQueueRealTimeEvent::CleanUp: Exception occured";
  static constexpr unsigned long kCountOffset = 0;

  static void Release(TQueueRealTimeEvent &event) { event.CleanUp(); }
  static void Fill(Record &r, long seed) {
    const float f = static_cast<float>(seed);
    r.QK = seed + 1;
    r.Medium = static_cast<TSMEnum::MEDIUM>(seed % 6);
    r.BU = seed + 2;
    r.CIQ = seed + 3;
    r.CO = seed + 4;
    r.Samp.SL = f + 0.5f;
    r.Samp.AnsR = f + 1.5f;
    r.Samp.AbdR = f + 2.5f;
    r.Samp.AnsAvg = f + 3.5f;
    r.Samp.AbdAvg = f + 4.5f;
    r.Samp.OWT = DurationOf(seed, seed + 1, seed + 2);
    r.Shf.Rec = seed + 5;
    r.Shf.Ans = seed + 6;
    r.Shf.Abd = seed + 7;
    r.Shf.Red = seed + 8;
    r.Shf.RecNI = seed + 9;
    r.Shf.RedNO = seed + 10;
    r.Shf.SL = f + 5.5f;
    r.Shf.AR = f + 6.5f;
    r.Shf.WTAns = DurationOf(seed + 3, seed + 4, seed + 5);
    r.Shf.WTAbd = DurationOf(seed + 6, seed + 7, seed + 8);
    r.Shf.AuxValue = f + 7.25f;
    r.Est.SL = f + 8.5f;
    r.Est.WT = DurationOf(seed + 9, seed + 10, seed + 11);
    r.LocalValue = static_cast<unsigned short>(seed);
  }
  static void Touch(Record &r) { r.Shf.AuxValue += 1.0f; }
};

using EventTypes =
    ::testing::Types<TGroupRealTimeEvent, TContactRealTimeEvent, TCallbackRealTimeEvent,
                     TUserRealTimeEvent, TQueueRealTimeEvent>;

#endif // STATCLIENT_TESTS_EVENT_CASES_H_
