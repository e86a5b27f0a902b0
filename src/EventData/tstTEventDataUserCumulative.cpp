#include "EventData/tstTEventDataUserCumulative.h"

#include "core/Define.h"
#include "names/tstNameTables.h"

namespace statcore {

template <> struct Layout<TEventDataUserContactTypeStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(RawEnum, CT),
      FIELD(Long, Offered[0]),
      FIELD(Long, Offered[1]),
      FIELD(Long, Offered[2]),
      FIELD(Long, Offered[3]),
      FIELD(Long, Handled[0]),
      FIELD(Long, Handled[1]),
      FIELD(Long, Handled[2]),
      FIELD(Long, Abandoned[0]),
      FIELD(Long, Abandoned[1]),
      FIELD(Long, Unhandled),
      FIELD(Long, Held[0]),
      FIELD(Long, Held[1]),
      FIELD(Long, Held[2]),
      FIELD(Long, Consulted[0]),
      FIELD(Long, Consulted[1]),
      FIELD(Long, Consulted[2]),
      FIELD(Long, Disc),
      FIELD(Long, Requeued),
      FIELD(Long, Xferred),
      FIELD(Long, ReachMaxPending),
      FIELD(Long, Undelivered),
      FIELD(Long, Initiated),
      FIELD(Long, RecalledEM),
      FIELD(Long, DiscardedEM),
      FIELD(Duration, TalkTime),
      FIELD(Duration, HeldTime),
      FIELD(Duration, ConsultTime),
      FIELD(Duration, RingTime),
      FIELD(Duration, PendingTime),
      FIELD(Duration, ProcTime),
      FIELD(Duration, PostProcTime),
      FIELD(Duration, ActiveContactsTime),
      FIELD(Long, MaxActiveContactsTime),
      FIELD(Long, MaxHandlingTime),
      FIELD(Short, AddTalk),
      FIELD(Short, AddHeld),
      FIELD(Short, AddConsult),
      FIELD(Short, AddRing),
      FIELD(Short, AddProc),
      FIELD(Short, AddPostProc));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(CT), ContactTypeToString),
      Group("Offered[Prim,Over,Other,Resvd]", r.Offered),
      Group("Handled[Prim,Over,Other]", r.Handled),
      Group("Held[Prim,Over,Other]", r.Held),
      Group("Consulted[Prim,Over,Other]", r.Consulted),
      Group("Abandoned[Prim,Over]", r.Abandoned),
      Show(MEMBER(Unhandled)),
      Show(MEMBER(Disc)),
      Show(MEMBER(Requeued)),
      Show(MEMBER(Xferred)),
      Show(MEMBER(ReachMaxPending)),
      Show(MEMBER(Undelivered)),
      Show(MEMBER(Initiated)),
      Show(MEMBER(RecalledEM)),
      Show(MEMBER(DiscardedEM)),
      Show(MEMBER(AddTalk)),
      Show(MEMBER(AddHeld)),
      Show(MEMBER(AddConsult)),
      Show(MEMBER(AddRing)),
      Show(MEMBER(AddProc)),
      Show(MEMBER(AddPostProc)),
      ShowDuration(MEMBER(TalkTime)),
      ShowDuration(MEMBER(HeldTime)),
      ShowDuration(MEMBER(ConsultTime)),
      ShowDuration(MEMBER(RingTime)),
      ShowDuration(MEMBER(PendingTime)),
      ShowDuration(MEMBER(ProcTime)),
      ShowDuration(MEMBER(PostProcTime)),
      ShowDuration(MEMBER(ActiveContactsTime)),
      Show(MEMBER(MaxActiveContactsTime)),
      Show(MEMBER(MaxHandlingTime)));
  }
};

// The text leaves out PeriodStamp and the contact-type rows (they have a text of their own),
// and shows the fourth MaxActiveContacts element before the third.
template <> struct Layout<TEventDataUserCumulative> {
  static constexpr const char *kUnrendered[] = {"PeriodStamp", "ContactTypeStatistics"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, AK),
      FIELD(Long, DeptK),
      FIELD(Long, Loc),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, BusyCount),
      FIELD(Short, AddBusyCount),
      FIELD(Duration, BusyTime),
      FIELD(Long, AwayCount),
      FIELD(Duration, AwayTime),
      FIELD(Long, IdleCount),
      FIELD(Duration, IdleTime),
      FIELD(Long, OtherCount),
      FIELD(Duration, OtherTime),
      FIELD(Duration, LogonTime),
      FIELD(Long, FirstLogonMedia),
      FIELD(Long, LastLogoffMedia),
      FIELD(Own, FirstLogonGMT),
      FIELD(Own, LastLogoffGMT),
      FIELD(Short, MaxActiveContacts[0]),
      FIELD(Short, MaxActiveContacts[1]),
      FIELD(Short, MaxActiveContacts[2]),
      FIELD(Short, MaxActiveContacts[3]),
      FIELD(Short, MaxActiveContacts[4]),
      FIELD(Short, MaxActiveContacts[5]),
      FIELD(Own, PeriodStamp),
      FIELD(Short, PeriodTime),
      FIELD(VectorOf(Own), ContactTypeStatistics));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(AK)),
      Show(MEMBER(DeptK)),
      Show(MEMBER(Loc)),
      Show(MEMBER(SiteK)),
      Show(MEMBER(BU)),
      Show(MEMBER(IdleCount)),
      ShowDuration(MEMBER(IdleTime)),
      Show(MEMBER(AwayCount)),
      ShowDuration(MEMBER(AwayTime)),
      Show(MEMBER(BusyCount)),
      ShowDuration(MEMBER(BusyTime)),
      Show(MEMBER(AddBusyCount)),
      Show(MEMBER(OtherCount)),
      ShowDuration(MEMBER(OtherTime)),
      ShowDuration(MEMBER(LogonTime)),
      Show(MEMBER(PeriodTime)),
      Show(MEMBER(FirstLogonMedia), MediaTypeToString),
      ShowInstant(MEMBER(FirstLogonGMT)),
      Show(MEMBER(LastLogoffMedia), MediaTypeToString),
      ShowInstant(MEMBER(LastLogoffGMT)),
      Group("MaxActiveContacts[All,V,CB,EM,WC,OM]",
            r.MaxActiveContacts[0],
            r.MaxActiveContacts[1],
            r.MaxActiveContacts[3],
            r.MaxActiveContacts[2],
            r.MaxActiveContacts[4],
            r.MaxActiveContacts[5]));
  }
};

template <> struct EventLayout<TUserCumulativeEvent> : StampThenList<TEventDataUserCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataUserCumulative";
  static constexpr const char *kReleaseFailed = "TUserCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataUserContactTypeStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataUserCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataUserContactTypeStatistics)
STATCORE_DEFINE_RECORD(TEventDataUserCumulative)

STATCORE_DEFINE_EVENT(TUserCumulativeEvent, Clear)
