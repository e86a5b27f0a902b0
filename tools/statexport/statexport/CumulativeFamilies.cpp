// The tables of the cumulative families: figures accumulated over a statistics period per user,
// queue, group, callback origin, destination, flow and call-director node.
#include "statexport/FamilyTables.h"

namespace statexport {
namespace {

constexpr const char *kOrgKey = "an organisational key (an id): the row's entity label already "
                                "identifies it, a label per key would multiply the series";

template <auto M> double PeriodLength(const ClassOf<M> &row) { return MinutesToSeconds(row.*M); }
template <auto M> double Instant(const ClassOf<M> &row) { return UnixSeconds(row.*M); }

// The common parts of a cumulative family: its event, the period start from the row's stamp
// (or the event's when the row has none) and the length of the period.
template <class E, auto Stamp>
std::unique_ptr<EventFamily<E>> Cumulative(int id, const char *eventName,
                                           const char *periodStartMetric) {
  auto family = std::make_unique<EventFamily<E>>();
  family->id = id;
  family->eventName = eventName;
  family->cumulative = true;
  family->periodStartMetric = periodStartMetric;
  family->periodStart = [](const RecordOf<E> &row) { return UnixSeconds(row.*Stamp); };
  family->eventPeriodStart = [](const E &event) { return UnixSeconds(event.TimeStamp); };
  return family;
}

LevelSpec<TEventDataUserContactTypeStatistics> UserContactTypes() {
  using C = TEventDataUserContactTypeStatistics;
  LevelSpec<C> level;
  level.labels = {{"contact_type", LabelFormat::ContactType, "CT"}};
  level.key = [](const C &c, std::size_t) -> Key { return {static_cast<long>(c.CT), 0, 0}; };
  level.fields = {
      {"Offered[Prim,Over,Other,Resvd][0]", "statserver_user_period_offered_primary_contacts",
       "Contacts offered to the user as primary.", NumAt<&C::Offered, 0>},
      {"Offered[Prim,Over,Other,Resvd][1]", "statserver_user_period_offered_overflow_contacts",
       "Contacts offered to the user as overflow.", NumAt<&C::Offered, 1>},
      {"Offered[Prim,Over,Other,Resvd][2]", "statserver_user_period_offered_other_contacts",
       "Contacts offered to the user otherwise.", NumAt<&C::Offered, 2>},
      {"Offered[Prim,Over,Other,Resvd][3]", "statserver_user_period_offered_reserved_contacts",
       "Reserved contacts offered to the user.", NumAt<&C::Offered, 3>},
      {"Handled[Prim,Over,Other][0]", "statserver_user_period_handled_primary_contacts",
       "Contacts handled as primary.", NumAt<&C::Handled, 0>},
      {"Handled[Prim,Over,Other][1]", "statserver_user_period_handled_overflow_contacts",
       "Contacts handled as overflow.", NumAt<&C::Handled, 1>},
      {"Handled[Prim,Over,Other][2]", "statserver_user_period_handled_other_contacts",
       "Contacts handled otherwise.", NumAt<&C::Handled, 2>},
      {"Held[Prim,Over,Other][0]", "statserver_user_period_held_primary_contacts",
       "Contacts held as primary.", NumAt<&C::Held, 0>},
      {"Held[Prim,Over,Other][1]", "statserver_user_period_held_overflow_contacts",
       "Contacts held as overflow.", NumAt<&C::Held, 1>},
      {"Held[Prim,Over,Other][2]", "statserver_user_period_held_other_contacts",
       "Contacts held otherwise.", NumAt<&C::Held, 2>},
      {"Consulted[Prim,Over,Other][0]", "statserver_user_period_consulted_primary_contacts",
       "Contacts consulted as primary.", NumAt<&C::Consulted, 0>},
      {"Consulted[Prim,Over,Other][1]", "statserver_user_period_consulted_overflow_contacts",
       "Contacts consulted as overflow.", NumAt<&C::Consulted, 1>},
      {"Consulted[Prim,Over,Other][2]", "statserver_user_period_consulted_other_contacts",
       "Contacts consulted otherwise.", NumAt<&C::Consulted, 2>},
      {"Abandoned[Prim,Over][0]", "statserver_user_period_abandoned_primary_contacts",
       "Contacts abandoned as primary.", NumAt<&C::Abandoned, 0>},
      {"Abandoned[Prim,Over][1]", "statserver_user_period_abandoned_overflow_contacts",
       "Contacts abandoned as overflow.", NumAt<&C::Abandoned, 1>},
      {"Unhandled", "statserver_user_period_unhandled_contacts", "Contacts left unhandled.",
       &C::Unhandled},
      {"Disc", "statserver_user_period_disconnected_contacts", "Contacts disconnected.", &C::Disc},
      {"Requeued", "statserver_user_period_requeued_contacts", "Contacts requeued.", &C::Requeued},
      {"Xferred", "statserver_user_period_transferred_contacts", "Contacts transferred.",
       &C::Xferred},
      {"ReachMaxPending", "statserver_user_period_max_pending_reached_contacts",
       "Contacts that reached the longest pending time.", &C::ReachMaxPending},
      {"Undelivered", "statserver_user_period_undelivered_contacts", "Contacts not delivered.",
       &C::Undelivered},
      {"Initiated", "statserver_user_period_initiated_contacts", "Contacts the user initiated.",
       &C::Initiated},
      {"RecalledEM", "statserver_user_period_recalled_emails", "E-mails recalled.", &C::RecalledEM},
      {"DiscardedEM", "statserver_user_period_discarded_emails", "E-mails discarded.",
       &C::DiscardedEM},
      {"AddTalk", "statserver_user_period_talk_additions", "AddTalk as the server sends it.",
       Num<&C::AddTalk>},
      {"AddHeld", "statserver_user_period_held_additions", "AddHeld as the server sends it.",
       Num<&C::AddHeld>},
      {"AddConsult", "statserver_user_period_consult_additions",
       "AddConsult as the server sends it.", Num<&C::AddConsult>},
      {"AddRing", "statserver_user_period_ring_additions", "AddRing as the server sends it.",
       Num<&C::AddRing>},
      {"AddProc", "statserver_user_period_processing_additions", "AddProc as the server sends it.",
       Num<&C::AddProc>},
      {"AddPostProc", "statserver_user_period_post_processing_additions",
       "AddPostProc as the server sends it.", Num<&C::AddPostProc>},
      {"TalkTime", "statserver_user_period_talk_seconds", "Time spent talking.", Dur<&C::TalkTime>},
      {"HeldTime", "statserver_user_period_held_seconds", "Time contacts were held.",
       Dur<&C::HeldTime>},
      {"ConsultTime", "statserver_user_period_consult_seconds", "Time spent consulting.",
       Dur<&C::ConsultTime>},
      {"RingTime", "statserver_user_period_ring_seconds", "Time contacts rang.", Dur<&C::RingTime>},
      {"PendingTime", "statserver_user_period_pending_seconds", "Time contacts were pending.",
       Dur<&C::PendingTime>},
      {"ProcTime", "statserver_user_period_processing_seconds", "Time spent processing.",
       Dur<&C::ProcTime>},
      {"PostProcTime", "statserver_user_period_post_processing_seconds",
       "Time spent post-processing.", Dur<&C::PostProcTime>},
      {"ActiveContactsTime", "statserver_user_period_active_contacts_seconds",
       "Time with active contacts.", Dur<&C::ActiveContactsTime>},
      {"MaxActiveContactsTime", "statserver_user_period_max_active_contacts_seconds",
       "Longest time with active contacts.", &C::MaxActiveContactsTime},
      {"MaxHandlingTime", "statserver_user_period_max_handling_seconds",
       "Longest handling time of a contact.", &C::MaxHandlingTime},
  };
  return level;
}

} // namespace

std::unique_ptr<Family> UserCumulativeFamily() {
  using R = TEventDataUserCumulative;
  auto family = Cumulative<TUserCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::USERCUMULATIVEEVENT, "USERCUMULATIVEEVENT",
      "statserver_user_period_start_timestamp_seconds");
  family->perUserOnly = true;
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"user", LabelFormat::Number, "AK"}};
  rows.key = KeyOf<&R::AK>;
  rows.fields = {
      {"IdleCount", "statserver_user_period_idle_entries", "Times the user became idle.",
       &R::IdleCount},
      {"IdleTime", "statserver_user_period_idle_seconds", "Time the user was idle.",
       Dur<&R::IdleTime>},
      {"AwayCount", "statserver_user_period_away_entries", "Times the user went away.",
       &R::AwayCount},
      {"AwayTime", "statserver_user_period_away_seconds", "Time the user was away.",
       Dur<&R::AwayTime>},
      {"BusyCount", "statserver_user_period_busy_entries", "Times the user became busy.",
       &R::BusyCount},
      {"BusyTime", "statserver_user_period_busy_seconds", "Time the user was busy.",
       Dur<&R::BusyTime>},
      {"AddBusyCount", "statserver_user_period_busy_additions",
       "AddBusyCount as the server sends it.", Num<&R::AddBusyCount>},
      {"OtherCount", "statserver_user_period_other_entries",
       "Times the user entered another state.", &R::OtherCount},
      {"OtherTime", "statserver_user_period_other_seconds", "Time the user spent otherwise.",
       Dur<&R::OtherTime>},
      {"LogonTime", "statserver_user_period_logged_on_seconds", "Time the user was logged on.",
       Dur<&R::LogonTime>},
      {"PeriodTime", "statserver_user_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::PeriodTime>},
      {"FirstLogonGMT", "statserver_user_period_first_logon_timestamp_seconds",
       "When the user first logged on in the period (Unix time).", Instant<&R::FirstLogonGMT>},
      {"LastLogoffGMT", "statserver_user_period_last_logoff_timestamp_seconds",
       "When the user last logged off in the period (Unix time).", Instant<&R::LastLogoffGMT>},
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][0]", "statserver_user_period_max_active_contacts",
       "Most contacts the user had active at once.", NumAt<&R::MaxActiveContacts, 0>},
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][1]",
       "statserver_user_period_max_active_medium_contacts",
       "Most contacts of one medium the user had active at once.", NumAt<&R::MaxActiveContacts, 1>,
       "medium", "Voice"},
      // The text shows the third and fourth values swapped: its CB is the fourth member.
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][2]",
       "statserver_user_period_max_active_medium_contacts",
       "Most contacts of one medium the user had active at once.", NumAt<&R::MaxActiveContacts, 3>,
       "medium", "Callback"},
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][3]",
       "statserver_user_period_max_active_medium_contacts",
       "Most contacts of one medium the user had active at once.", NumAt<&R::MaxActiveContacts, 2>,
       "medium", "Email"},
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][4]",
       "statserver_user_period_max_active_medium_contacts",
       "Most contacts of one medium the user had active at once.", NumAt<&R::MaxActiveContacts, 4>,
       "medium", "Web Chat"},
      {"MaxActiveContacts[All,V,CB,EM,WC,OM][5]",
       "statserver_user_period_max_active_medium_contacts",
       "Most contacts of one medium the user had active at once.", NumAt<&R::MaxActiveContacts, 5>,
       "medium", "OpenMedia"},
  };
  rows.leftOut = {
      {"DeptK", kOrgKey},
      {"Loc", kOrgKey},
      {"SiteK", kOrgKey},
      {"BU", kOrgKey},
      {"FirstLogonMedia", "a medium name, not a figure: one series per medium would be a state "
                          "set of a single event"},
      {"LastLogoffMedia", "a medium name, not a figure: one series per medium would be a state "
                          "set of a single event"},
  };
  rows.children = {List<R, TEventDataUserContactTypeStatistics>(
      "ContactTypeStatistics",
      [](const R &r) -> const std::vector<TEventDataUserContactTypeStatistics> & {
        return r.ContactTypeStatistics;
      },
      UserContactTypes())};
  family->Finish();
  return family;
}

std::unique_ptr<Family> QueueCumulativeFamily() {
  using R = TEventDataQueueCumulative;
  auto family = Cumulative<TQueueCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::QUEUECUMULATIVEEVENT, "QUEUECUMULATIVEEVENT",
      "statserver_queue_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"queue", LabelFormat::Number, "QK"}};
  rows.key = KeyOf<&R::QK>;
  constexpr const char *kInterval = "Contacts answered within each of the five answer intervals.";
  constexpr const char *kAbdInterval =
      "Contacts abandoned within each of the five abandon intervals.";
  rows.fields = {
      {"SLF", "statserver_queue_period_slf", "SLF as the server sends it.", Num<&R::SLF>},
      {"Received[All,Req,NetIn][0]", "statserver_queue_period_received_contacts",
       "Contacts the queue received.", NumAt<&R::Received, 0>},
      {"Received[All,Req,NetIn][1]", "statserver_queue_period_received_req_contacts",
       "Contacts received, Req part.", NumAt<&R::Received, 1>},
      {"Received[All,Req,NetIn][2]", "statserver_queue_period_received_net_in_contacts",
       "Contacts received, NetIn part.", NumAt<&R::Received, 2>},
      {"Answered[Prim,Over][0]", "statserver_queue_period_answered_primary_contacts",
       "Contacts answered by a primary group.", NumAt<&R::Answered, 0>},
      {"Answered[Prim,Over][1]", "statserver_queue_period_answered_overflow_contacts",
       "Contacts answered by an overflow group.", NumAt<&R::Answered, 1>},
      {"Abandoned", "statserver_queue_period_abandoned_contacts", "Contacts abandoned.",
       &R::Abandoned},
      {"Redirected[OOS,NetOut][0]", "statserver_queue_period_redirected_oos_contacts",
       "Contacts redirected, OOS part.", NumAt<&R::Redirected, 0>},
      {"Redirected[OOS,NetOut][1]", "statserver_queue_period_redirected_net_out_contacts",
       "Contacts redirected, NetOut part.", NumAt<&R::Redirected, 1>},
      {"TransOOS", "statserver_queue_period_transferred_oos_contacts", "Contacts transferred, OOS.",
       &R::TransOOS},
      {"UnderThreshold[Ans,Abd][0]", "statserver_queue_period_answered_under_threshold_contacts",
       "Contacts answered within the service-level threshold.", &R::UnderThresholdAns},
      {"UnderThreshold[Ans,Abd][1]", "statserver_queue_period_abandoned_under_threshold_contacts",
       "Contacts abandoned within the threshold.", &R::UnderThresholdAbd},
      {"AnsweredInInterval[1,2,3,4,5][0]", "statserver_queue_period_answered_in_interval_contacts",
       kInterval, NumAt<&R::AnsweredInInterval, 0>, "interval", "1"},
      {"AnsweredInInterval[1,2,3,4,5][1]", "statserver_queue_period_answered_in_interval_contacts",
       kInterval, NumAt<&R::AnsweredInInterval, 1>, "interval", "2"},
      {"AnsweredInInterval[1,2,3,4,5][2]", "statserver_queue_period_answered_in_interval_contacts",
       kInterval, NumAt<&R::AnsweredInInterval, 2>, "interval", "3"},
      {"AnsweredInInterval[1,2,3,4,5][3]", "statserver_queue_period_answered_in_interval_contacts",
       kInterval, NumAt<&R::AnsweredInInterval, 3>, "interval", "4"},
      {"AnsweredInInterval[1,2,3,4,5][4]", "statserver_queue_period_answered_in_interval_contacts",
       kInterval, NumAt<&R::AnsweredInInterval, 4>, "interval", "5"},
      {"AbandonedInInterval[1,2,3,4,5][0]",
       "statserver_queue_period_abandoned_in_interval_contacts", kAbdInterval,
       NumAt<&R::AbandonedInInterval, 0>, "interval", "1"},
      {"AbandonedInInterval[1,2,3,4,5][1]",
       "statserver_queue_period_abandoned_in_interval_contacts", kAbdInterval,
       NumAt<&R::AbandonedInInterval, 1>, "interval", "2"},
      {"AbandonedInInterval[1,2,3,4,5][2]",
       "statserver_queue_period_abandoned_in_interval_contacts", kAbdInterval,
       NumAt<&R::AbandonedInInterval, 2>, "interval", "3"},
      {"AbandonedInInterval[1,2,3,4,5][3]",
       "statserver_queue_period_abandoned_in_interval_contacts", kAbdInterval,
       NumAt<&R::AbandonedInInterval, 3>, "interval", "4"},
      {"AbandonedInInterval[1,2,3,4,5][4]",
       "statserver_queue_period_abandoned_in_interval_contacts", kAbdInterval,
       NumAt<&R::AbandonedInInterval, 4>, "interval", "5"},
      {"Overflows[Cur,Max,Min][0]", "statserver_queue_period_overflows",
       "Overflows of the queue now.", NumAt<&R::Overflows, 0>},
      {"Overflows[Cur,Max,Min][1]", "statserver_queue_period_max_overflows",
       "Most overflows in the period.", NumAt<&R::Overflows, 1>},
      {"Overflows[Cur,Max,Min][2]", "statserver_queue_period_min_overflows",
       "Fewest overflows in the period.", NumAt<&R::Overflows, 2>},
      {"Waiting[Begin,End,Max,Min][0]", "statserver_queue_period_waiting_contacts_at_start",
       "Contacts waiting when the period began.", NumAt<&R::Waiting, 0>},
      {"Waiting[Begin,End,Max,Min][1]", "statserver_queue_period_waiting_contacts_at_end",
       "Contacts waiting at the end of the period (so far).", NumAt<&R::Waiting, 1>},
      {"Waiting[Begin,End,Max,Min][2]", "statserver_queue_period_max_waiting_contacts",
       "Most contacts waiting at once.", NumAt<&R::Waiting, 2>},
      {"Waiting[Begin,End,Max,Min][3]", "statserver_queue_period_min_waiting_contacts",
       "Fewest contacts waiting at once.", NumAt<&R::Waiting, 3>},
      {"WaitTime[Tot,Ans,Abd,Red][0]", "statserver_queue_period_wait_seconds",
       "Total waiting time of the queue's contacts.", DurAt<&R::WaitTime, 0>},
      {"WaitTime[Tot,Ans,Abd,Red][1]", "statserver_queue_period_answered_wait_seconds",
       "Waiting time of the contacts answered.", DurAt<&R::WaitTime, 1>},
      {"WaitTime[Tot,Ans,Abd,Red][2]", "statserver_queue_period_abandoned_wait_seconds",
       "Waiting time of the contacts abandoned.", DurAt<&R::WaitTime, 2>},
      {"WaitTime[Tot,Ans,Abd,Red][3]", "statserver_queue_period_redirected_wait_seconds",
       "Waiting time of the contacts redirected.", DurAt<&R::WaitTime, 3>},
      {"MaxWaitTime[Max,Ans,Abd,Red][0]", "statserver_queue_period_max_wait_seconds",
       "Longest waiting time.", NumAt<&R::MaxWaitTime, 0>},
      {"MaxWaitTime[Max,Ans,Abd,Red][1]", "statserver_queue_period_max_answered_wait_seconds",
       "Longest waiting time of an answered contact.", NumAt<&R::MaxWaitTime, 1>},
      {"MaxWaitTime[Max,Ans,Abd,Red][2]", "statserver_queue_period_max_abandoned_wait_seconds",
       "Longest waiting time of an abandoned contact.", NumAt<&R::MaxWaitTime, 2>},
      {"MaxWaitTime[Max,Ans,Abd,Red][3]", "statserver_queue_period_max_redirected_wait_seconds",
       "Longest waiting time of a redirected contact.", NumAt<&R::MaxWaitTime, 3>},
      {"Emails[Defer,ConOut][0]", "statserver_queue_period_deferred_emails", "E-mails deferred.",
       NumAt<&R::Emails, 0>},
      {"Emails[Defer,ConOut][1]", "statserver_queue_period_consult_out_emails",
       "E-mails sent out for consultation.", NumAt<&R::Emails, 1>},
      {"EmailsTime[Defer,ConOut][0]", "statserver_queue_period_deferred_email_seconds",
       "Time of the deferred e-mails.", DurAt<&R::EmailsTime, 0>},
      {"EmailsTime[Defer,ConOut][1]", "statserver_queue_period_consult_out_email_seconds",
       "Time of the e-mails out for consultation.", DurAt<&R::EmailsTime, 1>},
      {"ContactsTime[Tot,PostP][0]", "statserver_queue_period_contact_seconds",
       "Total time of the queue's contacts.", DurAt<&R::ContactsTime, 0>},
      {"ContactsTime[Tot,PostP][1]", "statserver_queue_period_post_processing_seconds",
       "Post-processing time of the queue's contacts.", DurAt<&R::ContactsTime, 1>},
      {"UsersInvolvedTime[Tot,PostP][0]", "statserver_queue_period_users_involved_seconds",
       "Time users were involved with the queue's contacts.", DurAt<&R::UsersInvolvedTime, 0>},
      {"UsersInvolvedTime[Tot,PostP][1]",
       "statserver_queue_period_users_involved_post_processing_seconds",
       "Post-processing time users were involved.", DurAt<&R::UsersInvolvedTime, 1>},
      {"AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut][0]",
       "statserver_queue_period_contact_additions", "AddCounts[Contacts] as the server sends it.",
       Num<&R::AddCountsContacts>},
      {"AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut][1]",
       "statserver_queue_period_contact_post_processing_additions",
       "AddCounts[ContactsPP] as the server sends it.", Num<&R::AddCountsContactsPP>},
      {"AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut][2]",
       "statserver_queue_period_handled_additions", "AddCounts[Handled] as the server sends it.",
       Num<&R::AddCountsHandled>},
      {"AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut][3]",
       "statserver_queue_period_deferred_email_additions",
       "AddCounts[EMDefer] as the server sends it.", Num<&R::AddCountsEMDefer>},
      {"AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut][4]",
       "statserver_queue_period_consult_out_email_additions",
       "AddCounts[EMConOut] as the server sends it.", Num<&R::AddCountsEMConOut>},
      {"PeriodTime", "statserver_queue_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::PeriodTime>},
  };
  rows.leftOut = {{"SiteK", kOrgKey}, {"BU", kOrgKey}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> GroupCumulativeFamily() {
  using R = TEventDataGroupCumulative;
  auto family = Cumulative<TGroupCumulativeEvent, &R::PeriodStartGMT>(
      TStatisticsServer::GROUPCUMULATIVEEVENT, "GROUPCUMULATIVEEVENT",
      "statserver_group_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStartGMT", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"group", LabelFormat::Number, "GK"}};
  rows.key = KeyOf<&R::GK>;
  rows.fields = {
      {"RT", "statserver_group_period_rt", "RT as the server sends it.", &R::RT},
      {"Recv[Prim,Over,RHOE][0]", "statserver_group_period_received_primary_contacts",
       "Contacts received as primary group.", NumAt<&R::Recv, 0>},
      {"Recv[Prim,Over,RHOE][1]", "statserver_group_period_received_overflow_contacts",
       "Contacts received as overflow group.", NumAt<&R::Recv, 1>},
      {"Recv[Prim,Over,RHOE][2]", "statserver_group_period_received_rhoe_contacts",
       "Contacts received, RHOE part.", NumAt<&R::Recv, 2>},
      {"Offered[Prim,Over][0]", "statserver_group_period_offered_primary_contacts",
       "Contacts offered as primary group.", NumAt<&R::Offered, 0>},
      {"Offered[Prim,Over][1]", "statserver_group_period_offered_overflow_contacts",
       "Contacts offered as overflow group.", NumAt<&R::Offered, 1>},
      {"Consulted[Prim,Over][0]", "statserver_group_period_consulted_primary_contacts",
       "Contacts consulted as primary group.", NumAt<&R::Consulted, 0>},
      {"Consulted[Prim,Over][1]", "statserver_group_period_consulted_overflow_contacts",
       "Contacts consulted as overflow group.", NumAt<&R::Consulted, 1>},
      {"Transferred[Prim,Over][0]", "statserver_group_period_transferred_primary_contacts",
       "Contacts transferred as primary group.", NumAt<&R::Transferred, 0>},
      {"Transferred[Prim,Over][1]", "statserver_group_period_transferred_overflow_contacts",
       "Contacts transferred as overflow group.", NumAt<&R::Transferred, 1>},
      {"Waiting[Begin,End][0]", "statserver_group_period_waiting_contacts_at_start",
       "Contacts waiting when the period began.", NumAt<&R::Waiting, 0>},
      {"Waiting[Begin,End][1]", "statserver_group_period_waiting_contacts_at_end",
       "Contacts waiting at the end of the period (so far).", NumAt<&R::Waiting, 1>},
      // The text shows Max first; the members hold Min first.
      {"LoggedOn[Max,Min][0]", "statserver_group_period_max_logged_on_users",
       "Most users logged on at once.", NumAt<&R::LoggedOn, 1>},
      {"LoggedOn[Max,Min][1]", "statserver_group_period_min_logged_on_users",
       "Fewest users logged on at once.", NumAt<&R::LoggedOn, 0>},
      {"TotalLogonTime", "statserver_group_period_logged_on_seconds",
       "Total logged-on time of the group's users.", Dur<&R::TotalLogonTime>},
      {"PeriodTime", "statserver_group_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::PeriodTime>},
  };
  rows.leftOut = {{"SiteK", kOrgKey}, {"BU", kOrgKey}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> CallbackCumulativeFamily() {
  using R = TEventDataCallbackCumulative;
  auto family = Cumulative<TCallbackCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::CALLBACKCUMULATIVEEVENT, "CALLBACKCUMULATIVEEVENT",
      "statserver_callback_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"queue", LabelFormat::Number, "QueueK"},
                 {"origin", LabelFormat::Number, "CallOrigin"}};
  rows.key = KeyOf2<&R::QueueK, &R::CallOrigin>;
  rows.fields = {
      {"Callback", "statserver_callback_period_created_callbacks", "Callbacks created.",
       &R::Callback},
      {"RequeuedBefore", "statserver_callback_period_requeued_before_callbacks",
       "Callbacks requeued before their time.", &R::RequeuedBefore},
      {"Tries", "statserver_callback_period_tries", "Tries made.", &R::Tries},
      {"Successful", "statserver_callback_period_successful_callbacks", "Successful callbacks.",
       &R::Successful},
      {"Deleted", "statserver_callback_period_deleted_callbacks", "Callbacks deleted.",
       &R::Deleted},
      {"MaxRetry", "statserver_callback_period_max_retry_callbacks",
       "Callbacks that reached the most retries.", &R::MaxRetry},
      {"ScheduledExpired", "statserver_callback_period_expired_callbacks",
       "Scheduled callbacks that expired.", &R::ScheduledExpired},
      {"Attempts", "statserver_callback_period_attempts", "Attempts made.", &R::Attempts},
      {"AttemptsMoreThanOnce", "statserver_callback_period_attempted_more_than_once_callbacks",
       "Callbacks attempted more than once.", &R::AttemptsMoreThanOnce},
      {"Requeued", "statserver_callback_period_requeued_callbacks", "Callbacks requeued.",
       &R::Requeued},
      {"TimedOut", "statserver_callback_period_timed_out_callbacks", "Callbacks timed out.",
       &R::TimedOut},
      {"ContactsTime[Tot,PostP][0]", "statserver_callback_period_contact_seconds",
       "Total time of the callback contacts.", DurAt<&R::ContactsTime, 0>},
      {"ContactsTime[Tot,PostP][1]", "statserver_callback_period_post_processing_seconds",
       "Post-processing time of the callback contacts.", DurAt<&R::ContactsTime, 1>},
      {"AddCounts[Contacts,ContactsPP][0]", "statserver_callback_period_contact_additions",
       "AddCounts[Contacts] as the server sends it.", NumAt<&R::AddCounts, 0>},
      {"AddCounts[Contacts,ContactsPP][1]", "statserver_callback_period_post_processing_additions",
       "AddCounts[ContactsPP] as the server sends it.", NumAt<&R::AddCounts, 1>},
      {"PeriodTime", "statserver_callback_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::PeriodTime>},
  };
  rows.leftOut = {{"SiteK", kOrgKey}, {"BU", kOrgKey}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> DestinationCumulativeFamily() {
  using R = TEventDataDestinationCumulative;
  auto family = Cumulative<TMonitoredDestinationCumulativeEvent, &R::PeriodStartGMT>(
      TStatisticsServer::DNISCUMULATIVEEVENT, "DNISCUMULATIVEEVENT",
      "statserver_destination_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStartGMT", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"destination", LabelFormat::Number, "QK"}};
  rows.key = KeyOf<&R::QK>;
  rows.fields = {
      {"Ans", "statserver_destination_period_answered_contacts", "Contacts answered.", &R::Ans},
      {"Abd", "statserver_destination_period_abandoned_contacts", "Contacts abandoned.", &R::Abd},
      {"Disconnected", "statserver_destination_period_disconnected_contacts",
       "Contacts disconnected.", &R::Disconnected},
      {"ReQ", "statserver_destination_period_requeued_contacts", "Contacts requeued.", &R::ReQ},
      {"AutoHandledEmail", "statserver_destination_period_auto_handled_emails",
       "E-mails handled automatically.", &R::AutoHandledEmail},
      {"Recv[All,NetIn][0]", "statserver_destination_period_received_contacts",
       "Contacts received.", NumAt<&R::Recv, 0>},
      {"Recv[All,NetIn][1]", "statserver_destination_period_received_net_in_contacts",
       "Contacts received, NetIn part.", NumAt<&R::Recv, 1>},
      {"ReDirect[OOS,NetOut][0]", "statserver_destination_period_redirected_oos_contacts",
       "Contacts redirected, OOS part.", NumAt<&R::ReDirect, 0>},
      {"ReDirect[OOS,NetOut][1]", "statserver_destination_period_redirected_net_out_contacts",
       "Contacts redirected, NetOut part.", NumAt<&R::ReDirect, 1>},
      {"TotalTime[Wait,Contact,PostP][0]", "statserver_destination_period_wait_seconds",
       "Total waiting time.", DurAt<&R::TotalTime, 0>},
      {"TotalTime[Wait,Contact,PostP][1]", "statserver_destination_period_contact_seconds",
       "Total contact time.", DurAt<&R::TotalTime, 1>},
      {"TotalTime[Wait,Contact,PostP][2]", "statserver_destination_period_post_processing_seconds",
       "Total post-processing time.", DurAt<&R::TotalTime, 2>},
      {"Addi[Contact,PostP][0]", "statserver_destination_period_contact_additions",
       "Addi[Contact] as the server sends it.", NumAt<&R::Addi, 0>},
      {"Addi[Contact,PostP][1]", "statserver_destination_period_post_processing_additions",
       "Addi[PostP] as the server sends it.", NumAt<&R::Addi, 1>},
      {"Period", "statserver_destination_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::Period>},
  };
  constexpr const char *kInterval = "a bound of the reporting interval in a unit the record does "
                                    "not fix; the period start and length are published instead";
  rows.leftOut = {{"SiteK", kOrgKey},
                  {"BU", kOrgKey},
                  {"Interval[Start,End][0]", kInterval},
                  {"Interval[Start,End][1]", kInterval}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> ContactResultsCumulativeFamily() {
  using R = TEventDataContactResultsCumulative;
  using C = TEventDataContactResultsStatistics;
  auto family = Cumulative<TContactResultsCumulativeEvent, &R::PeriodStartGMT>(
      TStatisticsServer::WRAPUPREASONCUMULATIVEEVENT, "WRAPUPREASONCUMULATIVEEVENT",
      "statserver_contact_result_period_start_timestamp_seconds");
  family->perUserOnly = true;
  family->periodStartPaths = {"PeriodStartGMT", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"user", LabelFormat::Number, "AK"}};
  rows.key = KeyOf<&R::AK>;
  rows.fields = {{"PeriodTime", "statserver_contact_result_period_length_seconds",
                  "Length of the statistics period (sent in minutes).",
                  PeriodLength<&R::PeriodTime>}};
  constexpr const char *kOffset =
      "a time-zone offset: configuration rather than a statistic, in a unit the record does not "
      "fix";
  rows.leftOut = {{"DeptK", kOrgKey}, {"BU", kOrgKey},          {"Loc", kOrgKey},
                  {"SiteK", kOrgKey}, {"LocTZOffset", kOffset}, {"SiteTZOffset", kOffset}};
  LevelSpec<C> results;
  results.labels = {{"queue", LabelFormat::Number, "QK"},
                    {"reason", LabelFormat::Number, "ReasonK"}};
  results.key = KeyOf2<&C::QK, &C::ReasonK>;
  results.fields = {{"Count", "statserver_contact_result_period_contacts",
                     "Contacts of the queue the user ended with the result reason.", &C::Count}};
  rows.children = {List<R, C>(
      "ContactResultsStatistics",
      [](const R &r) -> const std::vector<C> & { return r.ContactResultsStatistics; },
      std::move(results))};
  family->Finish();
  return family;
}

std::unique_ptr<Family> RoutingStateCumulativeFamily() {
  using R = TEventDataRoutingStateCumulative;
  using C = TEventDataRoutingStateStatistics;
  auto family = Cumulative<TRoutingStateCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::USERSTATEREASONCUMULATIVEEVENT, "USERSTATEREASONCUMULATIVEEVENT",
      "statserver_routing_state_period_start_timestamp_seconds");
  family->perUserOnly = true;
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"user", LabelFormat::Number, "AK"}};
  rows.key = KeyOf<&R::AK>;
  rows.leftOut = {{"DeptK", kOrgKey}, {"BU", kOrgKey}, {"Loc", kOrgKey}, {"SiteK", kOrgKey}};
  LevelSpec<C> states;
  states.labels = {{"routing_state_key", LabelFormat::Number, "RSKey"},
                   {"presence_state", LabelFormat::PresenceState, "Pres"}};
  states.key = [](const C &c, std::size_t) -> Key {
    return {c.RSKey, static_cast<long>(c.Pres), 0};
  };
  states.fields = {
      {"RCount", "statserver_routing_state_period_entries",
       "Times the user entered the routing state.", &C::RCount},
      {"RDur", "statserver_routing_state_period_seconds",
       "Time the user spent in the routing state.", Dur<&C::RDur>},
      {"AddRCount", "statserver_routing_state_period_additions",
       "AddRCount as the server sends it.", Num<&C::AddRCount>},
      {"PresCount", "statserver_routing_state_period_presence_entries",
       "Times the user entered the presence state.", &C::PresCount},
      {"PresDur", "statserver_routing_state_period_presence_seconds",
       "Time the user spent in the presence state.", Dur<&C::PresDur>},
      {"AddPresCount", "statserver_routing_state_period_presence_additions",
       "AddPresCount as the server sends it.", Num<&C::AddPresCount>},
  };
  rows.children = {List<R, C>(
      "RoutingStateStatistics",
      [](const R &r) -> const std::vector<C> & { return r.RoutingStateStatistics; },
      std::move(states))};
  family->Finish();
  return family;
}

std::unique_ptr<Family> PostProcessingCumulativeFamily() {
  using R = TEventDataPostProcessingCumulative;
  using C = TEventDataPostProcessingReasonStatistics;
  auto family = Cumulative<TPostProcessingCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::USERPOSTPROCESSINGCUMULATIVEEVENT, "USERPOSTPROCESSINGCUMULATIVEEVENT",
      "statserver_post_processing_period_start_timestamp_seconds");
  family->perUserOnly = true;
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"user", LabelFormat::Number, "AK"}};
  rows.key = KeyOf<&R::AK>;
  rows.leftOut = {{"DeptK", kOrgKey}, {"BU", kOrgKey}, {"Loc", kOrgKey}, {"SiteK", kOrgKey}};
  LevelSpec<C> reasons;
  reasons.labels = {{"reason", LabelFormat::Number, "ReasonK"}};
  reasons.key = KeyOf<&C::ReasonK>;
  reasons.fields = {
      {"Count", "statserver_post_processing_period_entries",
       "Times the user post-processed with the reason.", &C::Count},
      {"Dur", "statserver_post_processing_period_seconds",
       "Time the user post-processed with the reason.", Dur<&C::Dur>},
      {"AddCount", "statserver_post_processing_period_additions",
       "AddCount as the server sends it.", &C::AddCount},
  };
  rows.children = {List<R, C>(
      "ReasonStatistics", [](const R &r) -> const std::vector<C> & { return r.ReasonStatistics; },
      std::move(reasons))};
  family->Finish();
  return family;
}

std::unique_ptr<Family> WorkFlowCumulativeFamily() {
  using R = TEventDataWorkFlowCumulative;
  auto family = Cumulative<TWorkFlowCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::WORKFLOWCUMULATIVEEVENT, "WORKFLOWCUMULATIVEEVENT",
      "statserver_workflow_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"flow", LabelFormat::Number, "FlowKey"}};
  rows.key = KeyOf<&R::FlowKey>;
  rows.fields = {
      {"Recevived", "statserver_workflow_period_received_contacts", "Contacts received.",
       &R::Recevived},
      {"Answered", "statserver_workflow_period_answered_contacts", "Contacts answered.",
       &R::Answered},
      {"Abandoned", "statserver_workflow_period_abandoned_contacts", "Contacts abandoned.",
       &R::Abandoned},
      {"Transeferred", "statserver_workflow_period_transferred_contacts", "Contacts transferred.",
       &R::Transeferred},
      {"TransferredToIVR", "statserver_workflow_period_transferred_to_ivr_contacts",
       "Contacts transferred to the IVR.", &R::TransferredToIVR},
      {"SystemDisconnected", "statserver_workflow_period_system_disconnected_contacts",
       "Contacts the system disconnected.", &R::SystemDisconnected},
      {"LinkedOut", "statserver_workflow_period_linked_out_contacts", "Contacts linked out.",
       &R::LinkedOut},
      {"EnQueued", "statserver_workflow_period_queued_contacts", "Contacts queued.", &R::EnQueued},
      {"EnQueuedToErrorQueue", "statserver_workflow_period_error_queued_contacts",
       "Contacts queued to the error queue.", &R::EnQueuedToErrorQueue},
      {"AutoResponeded", "statserver_workflow_period_auto_responded_contacts",
       "Contacts answered automatically.", &R::AutoResponeded},
      {"TotalTime", "statserver_workflow_period_total_seconds", "Total time in the flow.",
       Dur<&R::TotalTime>},
      {"InProgressStart", "statserver_workflow_period_in_progress_contacts_at_start",
       "Contacts in progress when the period began.", &R::InProgressStart},
      {"InProgressEnd", "statserver_workflow_period_in_progress_contacts_at_end",
       "Contacts in progress at the end of the period (so far).", &R::InProgressEnd},
      {"period", "statserver_workflow_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::period>},
  };
  rows.leftOut = {{"SiteK", kOrgKey}, {"BU", kOrgKey}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> CallDirectorCumulativeFamily() {
  using R = TEventDataCDComponentCumulative;
  auto family = Cumulative<TCDComponentCumulativeEvent, &R::PeriodStamp>(
      TStatisticsServer::CALLDIRECTORCOMPONENTCUMULATIVEEVENT,
      "CALLDIRECTORCOMPONENTCUMULATIVEEVENT",
      "statserver_call_director_period_start_timestamp_seconds");
  family->periodStartPaths = {"PeriodStamp", "TimeStamp"};
  auto &rows = family->rows;
  rows.labels = {{"node", LabelFormat::Number, "nodeKey"}};
  rows.key = KeyOf<&R::nodeKey>;
  constexpr const char *kExits = "Times callers left the node by each menu key.";
  constexpr const char *kExitMetric = "statserver_call_director_period_menu_key_exits";
  constexpr const char *kKeys = "MenuExitKey[0,1,2,3,4,5,6,7,8,9]";
  static const std::string kKeyPaths[10] = {std::string(kKeys) + "[0]", std::string(kKeys) + "[1]",
                                            std::string(kKeys) + "[2]", std::string(kKeys) + "[3]",
                                            std::string(kKeys) + "[4]", std::string(kKeys) + "[5]",
                                            std::string(kKeys) + "[6]", std::string(kKeys) + "[7]",
                                            std::string(kKeys) + "[8]", std::string(kKeys) + "[9]"};
  rows.fields = {
      {"Invoked", "statserver_call_director_period_invocations", "Times the node was invoked.",
       &R::Invoked},
      {"Abandoned", "statserver_call_director_period_abandoned_contacts",
       "Contacts abandoned in the node.", &R::Abandoned},
      {kKeyPaths[0].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 0>, "key", "0"},
      {kKeyPaths[1].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 1>, "key", "1"},
      {kKeyPaths[2].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 2>, "key", "2"},
      {kKeyPaths[3].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 3>, "key", "3"},
      {kKeyPaths[4].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 4>, "key", "4"},
      {kKeyPaths[5].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 5>, "key", "5"},
      {kKeyPaths[6].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 6>, "key", "6"},
      {kKeyPaths[7].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 7>, "key", "7"},
      {kKeyPaths[8].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 8>, "key", "8"},
      {kKeyPaths[9].c_str(), kExitMetric, kExits, NumAt<&R::MenuExitKey, 9>, "key", "9"},
      {"MenuExitKeyStar", kExitMetric, kExits, &R::MenuExitKeyStar, "key", "*"},
      {"MenuEixtKeyPound", kExitMetric, kExits, &R::MenuEixtKeyPound, "key", "#"},
      {"NoEntryExit", "statserver_call_director_period_no_entry_exits",
       "Times callers left the node without an entry.", &R::NoEntryExit},
      {"ErrorExit", "statserver_call_director_period_error_exits",
       "Times callers left the node on an error.", &R::ErrorExit},
      {"NormalExit", "statserver_call_director_period_normal_exits",
       "Times callers left the node normally.", &R::NormalExit},
      {"FastPathExit", "statserver_call_director_period_fast_path_exits",
       "Times callers left the node by a fast path.", &R::FastPathExit},
      {"NavigationExit", "statserver_call_director_period_navigation_exits",
       "Times callers left the node by navigation.", &R::NavigationExit},
      {"TotalTime", "statserver_call_director_period_total_seconds", "Total time in the node.",
       Dur<&R::TotalTime>},
      {"InProgressStart", "statserver_call_director_period_in_progress_contacts_at_start",
       "Contacts in the node when the period began.", &R::InProgressStart},
      {"InProgressEnd", "statserver_call_director_period_in_progress_contacts_at_end",
       "Contacts in the node at the end of the period (so far).", &R::InProgressEnd},
      {"OperatorCount", "statserver_call_director_period_operator_requests",
       "Times callers asked for the operator.", &R::OperatorCount},
      {"Repeat", "statserver_call_director_period_repeat_requests",
       "Times callers asked for a repeat.", &R::Repeat},
      {"Help", "statserver_call_director_period_help_requests", "Times callers asked for help.",
       &R::Help},
      {"PreviousStep", "statserver_call_director_period_previous_step_requests",
       "Times callers went back a step.", &R::PreviousStep},
      {"RootStep", "statserver_call_director_period_root_step_requests",
       "Times callers went back to the root.", &R::RootStep},
      {"period", "statserver_call_director_period_length_seconds",
       "Length of the statistics period (sent in minutes).", PeriodLength<&R::period>},
  };
  rows.leftOut = {{"SiteK", kOrgKey}, {"BU", kOrgKey}};
  family->Finish();
  return family;
}

} // namespace statexport
