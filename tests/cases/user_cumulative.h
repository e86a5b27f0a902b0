// The case of the user cumulative event.
#ifndef STATCLIENT_TESTS_CASES_USER_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_USER_CUMULATIVE_H_

#include "event_fill.h"

// A contact-type row with every field distinct from its default and from other seeds.
inline TEventDataUserContactTypeStatistics ContactTypeRow(long seed) {
  TEventDataUserContactTypeStatistics row;
  row.CT = static_cast<enContactType>(seed % 11 + 1);
  auto &o = row.Offered;
  auto &h = row.Handled;
  Distinct(seed, o[0], o[1], o[2], o[3], h[0], h[1], h[2], row.Abandoned[0], row.Abandoned[1],
           row.Unhandled, row.Held[0], row.Held[1], row.Held[2], row.Consulted[0], row.Consulted[1],
           row.Consulted[2], row.Disc, row.Requeued, row.Xferred, row.ReachMaxPending,
           row.Undelivered, row.Initiated, row.RecalledEM, row.DiscardedEM,
           row.MaxActiveContactsTime, row.MaxHandlingTime);
  Distinct(-seed, row.AddTalk, row.AddHeld, row.AddConsult, row.AddRing, row.AddProc,
           row.AddPostProc);
  Distinct(seed, row.TalkTime, row.HeldTime, row.ConsultTime, row.RingTime, row.PendingTime,
           row.ProcTime, row.PostProcTime, row.ActiveContactsTime);
  return row;
}

template <> struct EventCase<TUserCumulativeEvent> : EventCaseBase<TUserCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataUserCumulative";
  static constexpr const char *kReleaseFailed = "TUserCumulativeEvent::Clear: Exception occured";
  // Three contact-type rows, so that the truncation test cuts through rows nested in rows; a
  // row opens with its raw contact type and ends with a 16-bit value.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU, r.BusyCount, r.AwayCount, r.IdleCount,
             r.OtherCount);
    r.FirstLogonMedia = seed % 6;
    r.LastLogoffMedia = (seed + 1) % 6;
    auto &m = r.MaxActiveContacts;
    Distinct(-seed, r.AddBusyCount, m[0], m[1], m[2], m[3], m[4], m[5], r.PeriodTime);
    Distinct(seed, r.BusyTime, r.AwayTime, r.IdleTime, r.OtherTime, r.LogonTime, r.FirstLogonGMT,
             r.LastLogoffGMT, r.PeriodStamp);
    r.FirstLogonGMT.SetYear(static_cast<unsigned short>(2000 + seed % 100));
    r.ContactTypeStatistics = {ContactTypeRow(seed * 10), ContactTypeRow(seed * 10 + 1),
                               ContactTypeRow(seed * 10 + 2)};
  }
};

#endif // STATCLIENT_TESTS_CASES_USER_CUMULATIVE_H_
