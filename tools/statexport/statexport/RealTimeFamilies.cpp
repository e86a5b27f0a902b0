// The tables of the real-time families: users, queues, groups, contacts and callbacks.
#include <cmath>

#include "statexport/FamilyTables.h"

namespace statexport {
namespace {

constexpr const char *kOrgKey = "an organisational key (an id): the row's entity label already "
                                "identifies it, a label per key would multiply the series";

double NotNegative(double value) { return value < 0 ? std::nan("") : value; }

// --- Users ------------------------------------------------------------------------------------

enum UserAggregate : std::size_t {
  kGroupUsers,
  kUserRoutingState,
  kUserPresenceState,
  kUserPresenceStateExcDc,
  kUserMediaState,
  kUserContacts,
  kUserMonitoring,
};

void UserContributions(const TEventDataUserRealTime &r, bool perUser,
                       std::vector<Contribution> &out) {
  for (long group : r.GK)
    out.push_back({kGroupUsers, {group, static_cast<long>(r.RS), 0}, 1});
  if (!perUser)
    return;
  out.push_back({kUserRoutingState, {r.AK, static_cast<long>(r.RS), r.RSReason}, 1});
  out.push_back({kUserPresenceState, {r.AK, static_cast<long>(r.Pres), 0}, 1});
  out.push_back({kUserPresenceStateExcDc, {r.AK, static_cast<long>(r.PresExcDC), 0}, 1});
  for (const TEventDataUserMediaStatistics &media : r.MediaStatistics)
    out.push_back({kUserMediaState, {r.AK, media.Media, static_cast<long>(media.MediaState)}, 1});
  for (const TEventDataUserContactStatistics &contact : r.ContactStatistics)
    out.push_back({kUserContacts, {r.AK, static_cast<long>(contact.HandlingState), 0}, 1});
  for (const TEventDataUserCSMStatistics &csm : r.CSMStatistics)
    out.push_back({kUserMonitoring, {r.AK, static_cast<long>(csm.Type), 0}, 1});
}

LevelSpec<TTimeStamp> HandlingStateTimes() {
  LevelSpec<TTimeStamp> level;
  level.labels = {{"handling_state", LabelFormat::HandlingState, ""}};
  level.detail = true;
  level.key = IndexKey<TTimeStamp>;
  level.fields = {{"", "statserver_user_media_shift_handling_state_seconds",
                   "Time the user spent in each handling state on the medium in the shift.",
                   [](const TTimeStamp &t) { return Seconds(t); }}};
  return level;
}

LevelSpec<TEventDataUserMediaStatistics> UserMedia() {
  using M = TEventDataUserMediaStatistics;
  LevelSpec<M> level;
  level.labels = {{"medium", LabelFormat::Medium, "Media"}};
  level.key = KeyOf<&M::Media>;
  level.fields = {
      {"ShftRtdHndl", "statserver_user_media_shift_routed_handled_contacts",
       "Routed contacts the user handled on the medium in the shift.", &M::ShftRtdHndl},
      {"ShftRtdHndlPrimTime", "statserver_user_media_shift_routed_handling_primary_seconds",
       "Primary time of handling routed contacts in the shift.", Dur<&M::ShftRtdHndlPrimTime>},
      Detail<M>({"ShftRtdHndlNonPrimTime",
                 "statserver_user_media_shift_routed_handling_non_primary_seconds",
                 "Non-primary time of handling routed contacts in the shift.",
                 Dur<&M::ShftRtdHndlNonPrimTime>}),
      Detail<M>({"ShftRtdPostProcPrimTime",
                 "statserver_user_media_shift_routed_post_processing_primary_seconds",
                 "Primary post-processing time of routed contacts in the shift.",
                 Dur<&M::ShftRtdPostProcPrimTime>}),
      Detail<M>({"ShftRtdPostProcNonPrimTime",
                 "statserver_user_media_shift_routed_post_processing_non_primary_seconds",
                 "Non-primary post-processing time of routed contacts in the shift.",
                 Dur<&M::ShftRtdPostProcNonPrimTime>}),
      Detail<M>({"ShftMaxRtdActiveTime", "statserver_user_media_shift_max_routed_active_seconds",
                 "Longest active time of a routed contact in the shift.",
                 &M::ShftMaxRtdActiveTime}),
      Detail<M>({"ShftMaxRtdNonPrimTime",
                 "statserver_user_media_shift_max_routed_non_primary_seconds",
                 "Longest non-primary time of a routed contact in the shift.",
                 &M::ShftMaxRtdNonPrimTime}),
      Detail<M>({"ShftRtdHeldOrCnslt",
                 "statserver_user_media_shift_routed_held_or_consulted_contacts",
                 "Routed contacts held or consulted in the shift.", &M::ShftRtdHeldOrCnslt}),
      Detail<M>({"ShftRtdHeld", "statserver_user_media_shift_routed_held_contacts",
                 "Routed contacts held in the shift.", &M::ShftRtdHeld}),
      Detail<M>({"ShftRtdCnslt", "statserver_user_media_shift_routed_consulted_contacts",
                 "Routed contacts consulted in the shift.", &M::ShftRtdCnslt}),
      Detail<M>({"ShftRtdProc", "statserver_user_media_shift_routed_processed_contacts",
                 "Routed contacts processed in the shift.", &M::ShftRtdProc}),
      {"ShftDirHndl", "statserver_user_media_shift_direct_handled_contacts",
       "Direct contacts the user handled on the medium in the shift.", &M::ShftDirHndl},
      {"ShftDirHndlPrimTime", "statserver_user_media_shift_direct_handling_primary_seconds",
       "Primary time of handling direct contacts in the shift.", Dur<&M::ShftDirHndlPrimTime>},
      Detail<M>({"ShftDirHndlNonPrimTime",
                 "statserver_user_media_shift_direct_handling_non_primary_seconds",
                 "Non-primary time of handling direct contacts in the shift.",
                 Dur<&M::ShftDirHndlNonPrimTime>}),
  };
  level.children = {List<M, TTimeStamp>(
      "ShiftHandlingStateTimes",
      [](const M &m) -> const std::vector<TTimeStamp> & { return m.ShiftHandlingStateTimes; },
      HandlingStateTimes())};
  return level;
}

LevelSpec<TEventDataUserPresenceStateStatistics> UserPresenceStates() {
  using P = TEventDataUserPresenceStateStatistics;
  LevelSpec<P> level;
  level.labels = {{"presence_state", LabelFormat::PresenceState, "Pres"}};
  level.detail = true;
  level.key = [](const P &p, std::size_t) -> Key { return {static_cast<long>(p.Pres), 0, 0}; };
  level.fields = {
      {"ShiftPresCount", "statserver_user_shift_presence_state_entries",
       "Times the user entered the presence state in the shift.", &P::ShiftPresCount},
      {"ShiftPresTime", "statserver_user_shift_presence_state_seconds",
       "Time the user spent in the presence state in the shift.", Dur<&P::ShiftPresTime>},
  };
  return level;
}

} // namespace

std::unique_ptr<Family> UserRealTimeFamily() {
  using R = TEventDataUserRealTime;
  auto family = std::make_unique<EventFamily<TUserRealTimeEvent>>();
  family->id = TStatisticsServer::USERREALTIMEEVENT;
  family->eventName = "USERREALTIMEEVENT";
  family->perUserOnly = true;
  auto &rows = family->rows;
  rows.labels = {{"user", LabelFormat::Number, "AK"}};
  rows.key = KeyOf<&R::AK>;
  rows.fields = {
      {"RSTime", "statserver_user_routing_state_duration_seconds",
       "Time the user has been in the current routing state.", &R::RSTime},
      {"PresTime", "statserver_user_presence_state_duration_seconds",
       "Time the user has been in the current presence state.", &R::PresTime},
      Detail<R>({"PresTime(ExcDC)", "statserver_user_presence_state_exc_dc_duration_seconds",
                 "Time the user has been in the current presence state of the ExcDC form.",
                 &R::PresTimeExcDC}),
      {"UserHelpTime", "statserver_user_help_seconds",
       "The user's help time; no series while the server sends -1 (none).",
       [](const R &r) { return NotNegative(static_cast<double>(r.UserHelpTime)); }},
      {"Resvd", "statserver_user_reserved_contacts", "Contacts reserved for the user.", &R::Resvd},
      Detail<R>({"MinCap[Avail,Total,Key][0]", "statserver_user_min_capacity_available",
                 "Minimum capacity of the user: available.", &R::MinCapAvail}),
      Detail<R>({"MinCap[Avail,Total,Key][1]", "statserver_user_min_total_capacity",
                 "Minimum capacity of the user: total.", &R::MinCapTotal}),
      Detail<R>({"MinCap[Avail,Total,Key][2]", "statserver_user_min_capacity_key",
                 "Minimum capacity of the user: the key figure.", &R::MinCapKey}),
      Detail<R>({"MaxCap[Avail,Total,Key][0]", "statserver_user_max_capacity_available",
                 "Maximum capacity of the user: available.", &R::MaxCapAvail}),
      Detail<R>({"MaxCap[Avail,Total,Key][1]", "statserver_user_max_total_capacity",
                 "Maximum capacity of the user: total.", &R::MaxCapTotal}),
      Detail<R>({"MaxCap[Avail,Total,Key][2]", "statserver_user_max_capacity_key",
                 "Maximum capacity of the user: the key figure.", &R::MaxCapKey}),
  };
  rows.leftOut = {
      {"BU", kOrgKey},
      {"Loc", kOrgKey},
      {"Ext", "free text (the extension)"},
      {"GK[0]", "the user's group keys: the group label of statserver_group_users"},
      {"ContactStatistics[0].CID", "free text (contact ids, unbounded)"},
      {"ContactStatistics[0].REQC", "per contact: unbounded ids; counted in "
                                    "statserver_user_contacts"},
      {"ContactStatistics[0].CT", "per contact: counted in statserver_user_contacts"},
      {"ContactStatistics[0].Primary", "per contact: counted in statserver_user_contacts"},
      {"ContactStatistics[0].QK", "per contact: counted in statserver_user_contacts"},
      {"ContactStatistics[0].HandlingPrimTime", "per contact: a series per contact is unbounded"},
      {"ContactStatistics[0].PostProcPrimTime", "per contact: a series per contact is unbounded"},
      {"ContactStatistics[0].ContactPrimTime", "per contact: a series per contact is unbounded"},
      {"ContactStatistics[0].ContactNonPrimTime", "per contact: a series per contact is unbounded"},
      {"ContactStatistics[0].HandlingStatePrimTime",
       "per contact: a series per contact is unbounded"},
      {"ContactStatistics[0].HandlingStateReason",
       "per contact: a reason code per contact is unbounded"},
      {"ContactStatistics[0].AuxText", "free text, never rendered"},
      {"CSMStatistics[0].BGL", "free text"},
  };
  rows.children = {
      List<R, TEventDataUserMediaStatistics>(
          "MediaStatistics",
          [](const R &r) -> const std::vector<TEventDataUserMediaStatistics> & {
            return r.MediaStatistics;
          },
          UserMedia()),
      List<R, TEventDataUserPresenceStateStatistics>(
          "PresenceStateStatistics",
          [](const R &r) -> const std::vector<TEventDataUserPresenceStateStatistics> & {
            return r.PresenceStateStatistics;
          },
          UserPresenceStates()),
  };
  family->aggregates = {
      {"statserver_group_users",
       "Users of the group by routing state (from the user real-time event).",
       {{"group", LabelFormat::Number, "GK[0]"},
        {"routing_state", LabelFormat::RoutingState, "RS"}},
       AggregateOp::Count,
       {}},
      {"statserver_user_routing_state",
       "1 for the user's current routing state and its reason code.",
       {{"user", LabelFormat::Number, "AK"},
        {"routing_state", LabelFormat::RoutingState, "RS"},
        {"reason", LabelFormat::Number, "RSReason"}},
       AggregateOp::Count,
       {},
       true},
      {"statserver_user_presence_state",
       "1 for the user's current presence state.",
       {{"user", LabelFormat::Number, "AK"},
        {"presence_state", LabelFormat::PresenceState, "Pres"}},
       AggregateOp::Count,
       {},
       true},
      {"statserver_user_presence_state_exc_dc",
       "1 for the user's current presence state of the ExcDC form.",
       {{"user", LabelFormat::Number, "AK"},
        {"presence_state", LabelFormat::PresenceState, "Pres(ExcDC)"}},
       AggregateOp::Count,
       {},
       true,
       true},
      {"statserver_user_media_state",
       "1 for the user's current state on each medium.",
       {{"user", LabelFormat::Number, "AK"},
        {"medium", LabelFormat::Medium, "MediaStatistics[0].Media"},
        {"media_state", LabelFormat::MediaState, "MediaStatistics[0].MediaState"}},
       AggregateOp::Count,
       {},
       true},
      {"statserver_user_contacts",
       "Contacts the user is working on, by handling state.",
       {{"user", LabelFormat::Number, "AK"},
        {"handling_state", LabelFormat::HandlingState, "ContactStatistics[0].HandlingState"}},
       AggregateOp::Count,
       {},
       true},
      {"statserver_user_monitoring_sessions",
       "Supervisor monitoring activities of the user, by kind.",
       {{"user", LabelFormat::Number, "AK"},
        {"csm_type", LabelFormat::CsmType, "CSMStatistics[0].Type"}},
       AggregateOp::Count,
       {},
       true},
  };
  family->contribute = UserContributions;
  family->Finish();
  return family;
}

std::unique_ptr<Family> QueueRealTimeFamily() {
  using R = TEventDataQueueRealTime;
  using E = TQueueRealTimeEvent;
  auto family = std::make_unique<EventFamily<E>>();
  family->id = TStatisticsServer::QUEUEREALTIMEEVENT;
  family->eventName = "QUEUEREALTIMEEVENT";
  family->historyMetric = "statserver_queue_contacts_waiting";
  auto &rows = family->rows;
  rows.labels = {{"queue", LabelFormat::Number, "QK"}};
  rows.key = KeyOf<&R::QK>;
  rows.fields = {
      {"CIQ", "statserver_queue_contacts_waiting", "Contacts waiting in the queue.", &R::CIQ},
      {"CO", "statserver_queue_co_contacts", "The queue's CO count, as the server labels it.",
       &R::CO},
      {"Samp.SL", "statserver_queue_sample_service_level_ratio",
       "Service level of the current sample, 0..1.", [](const R &r) { return Ratio(r.Samp.SL); }},
      {"Samp.AnsR", "statserver_queue_sample_answered_ratio",
       "Answer rate of the current sample, 0..1.", [](const R &r) { return Ratio(r.Samp.AnsR); }},
      {"Samp.AbdR", "statserver_queue_sample_abandoned_ratio",
       "Abandon rate of the current sample, 0..1.", [](const R &r) { return Ratio(r.Samp.AbdR); }},
      {"Samp.AnsAvg", "statserver_queue_sample_answer_average_seconds",
       "Average time to answer in the current sample.",
       [](const R &r) { return FloatValue(r.Samp.AnsAvg); }},
      {"Samp.AbdAvg", "statserver_queue_sample_abandon_average_seconds",
       "Average time to abandon in the current sample.",
       [](const R &r) { return FloatValue(r.Samp.AbdAvg); }},
      {"Samp.OWT", "statserver_queue_oldest_wait_seconds",
       "Waiting time of the oldest contact in the queue.",
       [](const R &r) { return Seconds(r.Samp.OWT); }},
      {"Shf.Rec", "statserver_queue_shift_received_contacts",
       "Contacts the queue received in the shift.",
       [](const R &r) { return static_cast<double>(r.Shf.Rec); }},
      {"Shf.Rec NI", "statserver_queue_shift_received_ni_contacts",
       "Contacts received in the shift, NI part.",
       [](const R &r) { return static_cast<double>(r.Shf.RecNI); }},
      {"Shf.Ans", "statserver_queue_shift_answered_contacts", "Contacts answered in the shift.",
       [](const R &r) { return static_cast<double>(r.Shf.Ans); }},
      {"Shf.WTAns", "statserver_queue_shift_answered_wait_seconds",
       "Waiting time of the contacts answered in the shift.",
       [](const R &r) { return Seconds(r.Shf.WTAns); }},
      {"Shf.Abd", "statserver_queue_shift_abandoned_contacts", "Contacts abandoned in the shift.",
       [](const R &r) { return static_cast<double>(r.Shf.Abd); }},
      {"Shf.WTAbd", "statserver_queue_shift_abandoned_wait_seconds",
       "Waiting time of the contacts abandoned in the shift.",
       [](const R &r) { return Seconds(r.Shf.WTAbd); }},
      {"Shf.Red", "statserver_queue_shift_redirected_contacts", "Contacts redirected in the shift.",
       [](const R &r) { return static_cast<double>(r.Shf.Red); }},
      {"Shf.Red NO", "statserver_queue_shift_redirected_no_contacts",
       "Contacts redirected in the shift, NO part.",
       [](const R &r) { return static_cast<double>(r.Shf.RedNO); }},
      {"Shf.SL", "statserver_queue_service_level_ratio", "Service level of the shift, 0..1.",
       [](const R &r) { return Ratio(r.Shf.SL); }},
      {"Shf.AR", "statserver_queue_shift_ar_ratio", "AR rate of the shift, 0..1.",
       [](const R &r) { return Ratio(r.Shf.AR); }},
      {"Est.SL", "statserver_queue_estimated_service_level_ratio", "Estimated service level, 0..1.",
       [](const R &r) { return Ratio(r.Est.SL); }},
      {"Est.WT", "statserver_queue_estimated_wait_seconds", "Estimated waiting time.",
       [](const R &r) { return Seconds(r.Est.WT); }},
  };
  rows.leftOut = {
      {"BU", kOrgKey},
      {"Shf.AuxValue", "a value the server sends without a label or a fixed meaning"},
      {"LocalValue", "not sent by the server (kept on this side only)"},
  };
  family->eventFields = {
      {"SiteStatistics.Ans", "statserver_site_answered_contacts",
       "Contacts answered on the whole site.",
       [](const E &e) { return static_cast<double>(e.SiteStatistics.Ans); }},
      {"SiteStatistics.WT", "statserver_site_wait_seconds", "Waiting time on the whole site.",
       [](const E &e) { return Seconds(e.SiteStatistics.WT); }},
      {"SiteStatistics.SL", "statserver_site_service_level_ratio",
       "Service level of the whole site, 0..1.",
       [](const E &e) { return Ratio(e.SiteStatistics.SL); }},
      {"SiteStatistics.EstSL", "statserver_site_estimated_service_level_ratio",
       "Estimated service level of the whole site, 0..1.",
       [](const E &e) { return Ratio(e.SiteStatistics.EstSL); }},
      {"SiteStatistics.EstWT", "statserver_site_estimated_wait_seconds",
       "Estimated waiting time on the whole site.",
       [](const E &e) { return FloatValue(e.SiteStatistics.EstWT); }},
  };
  family->eventLeftOut = {{"TrailerValue",
                           "a value the server sends after the site statistics, without a fixed "
                           "meaning"}};
  family->aggregates = {
      {"statserver_queue_info",
       "1 for each queue, with the medium of its statistics.",
       {{"queue", LabelFormat::Number, "QK"}, {"medium", LabelFormat::Medium, "Medium"}},
       AggregateOp::Count,
       {}}};
  family->contribute = [](const R &r, bool, std::vector<Contribution> &out) {
    out.push_back({0, {r.QK, static_cast<long>(r.Medium), 0}, 1});
  };
  family->Finish();
  return family;
}

std::unique_ptr<Family> GroupRealTimeFamily() {
  using R = TEventDataGroupRealTime;
  auto family = std::make_unique<EventFamily<TGroupRealTimeEvent>>();
  family->id = TStatisticsServer::GROUPREALTIMEEVENT;
  family->eventName = "GROUPREALTIMEEVENT";
  auto &rows = family->rows;
  rows.labels = {{"group", LabelFormat::Number, "VG"}};
  rows.key = KeyOf<&R::VG>;
  rows.fields = {
      {"LoggedOnUsers", "statserver_group_logged_on_users", "Users of the group logged on.",
       &R::LoggedOnUsers},
      {"IdleUsers", "statserver_group_idle_users", "Logged-on users of the group that are idle.",
       &R::IdleUsers},
      {"AwayUsers", "statserver_group_away_users", "Logged-on users of the group that are away.",
       &R::AwayUsers},
      {"BusyUsers", "statserver_group_busy_users", "Logged-on users of the group that are busy.",
       &R::BusyUsers},
      {"HndlRoutedUsers", "statserver_group_routed_handling_users",
       "Users of the group handling routed contacts.", &R::HndlRoutedUsers},
      {"HndlDirectOnlyUsers", "statserver_group_direct_only_handling_users",
       "Users of the group handling direct contacts only.", &R::HndlDirectOnlyUsers},
      {"RoutedHndl", "statserver_group_routed_contacts_in_handling",
       "Routed contacts being handled by the group.", &R::RoutedHndl},
      {"DirectHndl", "statserver_group_direct_contacts_in_handling",
       "Direct contacts being handled by the group.", &R::DirectHndl},
      {"PrimWaiting", "statserver_group_primary_contacts_waiting",
       "Contacts waiting with the group as their primary group.", &R::PrimWaiting},
      {"OverWaiting", "statserver_group_overflow_contacts_waiting",
       "Contacts waiting with the group as their overflow group.", &R::OverWaiting},
      {"MinLoggedOnCap", "statserver_group_min_capacity_logged_on",
       "Minimum capacity of the group: logged-on users.", &R::MinLoggedOnCap},
      {"MinAvailCap", "statserver_group_min_capacity_available",
       "Minimum capacity of the group: available users.", &R::MinAvailCap},
      {"MinUnavailCap", "statserver_group_min_capacity_unavailable",
       "Minimum capacity of the group: unavailable users.", &R::MinUnavailCap},
      {"MinWorkCap", "statserver_group_min_capacity_working",
       "Minimum capacity of the group: working users.", &R::MinWorkCap},
      {"MaxLoggedOnCap", "statserver_group_max_capacity_logged_on",
       "Maximum capacity of the group: logged-on users.", &R::MaxLoggedOnCap},
      {"MaxAvailCap", "statserver_group_max_capacity_available",
       "Maximum capacity of the group: available users.", &R::MaxAvailCap},
      {"MaxUnavailCap", "statserver_group_max_capacity_unavailable",
       "Maximum capacity of the group: unavailable users.", &R::MaxUnavailCap},
      {"MaxWorkCap", "statserver_group_max_capacity_working",
       "Maximum capacity of the group: working users.", &R::MaxWorkCap},
  };
  rows.leftOut = {{"BU", kOrgKey}};
  family->Finish();
  return family;
}

std::unique_ptr<Family> ContactRealTimeFamily() {
  using R = TEventDataContactRealTime;
  auto family = std::make_unique<EventFamily<TContactRealTimeEvent>>();
  family->id = TStatisticsServer::CONTACTREALTIMEEVENT;
  family->eventName = "CONTACTREALTIMEEVENT";
  family->merge = MergeRule::Snapshot;
  family->rows.key = IndexKey<R>;
  constexpr const char *kPerContact = "per contact: a series per contact is unbounded";
  family->rows.leftOut = {
      {"CID", "free text (contact ids, unbounded)"},
      {"Src", "free text"},
      {"Dest", "free text"},
      {"Desc", "free text"},
      {"REQC", kPerContact},
      {"Priority", kPerContact},
      {"VG", kPerContact},
      {"ResvdAK", kPerContact},
      {"BU", kOrgKey},
  };
  family->aggregates = {
      {"statserver_contact_contacts",
       "Contacts in the contact center by queue, medium and state.",
       {{"queue", LabelFormat::Number, "QK"},
        {"medium", LabelFormat::Medium, "MT"},
        {"state", LabelFormat::ContactState, "State"}},
       AggregateOp::Count,
       {}},
      {"statserver_contact_max_wait_seconds",
       "Longest waiting time of a contact of the queue.",
       {{"queue", LabelFormat::Number, "QK"}},
       AggregateOp::Max,
       {"WaitTime"}},
      {"statserver_contact_max_time_in_state_seconds",
       "Longest time a contact of the queue has been in its state.",
       {{"queue", LabelFormat::Number, "QK"}, {"state", LabelFormat::ContactState, "State"}},
       AggregateOp::Max,
       {"TimeInState"}},
  };
  family->contribute = [](const R &r, bool, std::vector<Contribution> &out) {
    const long state = static_cast<long>(r.State);
    out.push_back({0, {r.QK, r.MT, state}, 1});
    out.push_back({1, {r.QK, 0, 0}, static_cast<double>(r.WaitTime)});
    out.push_back({2, {r.QK, state, 0}, static_cast<double>(r.TimeInState)});
  };
  family->Finish();
  return family;
}

std::unique_ptr<Family> CallbackRealTimeFamily() {
  using R = TEventDataCallbackRealTime;
  auto family = std::make_unique<EventFamily<TCallbackRealTimeEvent>>();
  family->id = TStatisticsServer::CALLBACKREALTIMEEVENT;
  family->eventName = "CALLBACKREALTIMEEVENT";
  family->merge = MergeRule::Snapshot;
  family->rows.key = IndexKey<R>;
  constexpr const char *kPerCallback = "per callback: a series per callback is unbounded";
  family->rows.leftOut = {
      {"CID", "free text (contact ids, unbounded)"},
      {"CustName", "free text"},
      {"CustNum", "free text"},
      {"Desc", "free text"},
      {"REQC", kPerCallback},
      {"Origin", kPerCallback},
      {"TimeInState", kPerCallback},
      {"AttemptStatus", kPerCallback},
      {"CreatorAK", kPerCallback},
      {"LastAK", kPerCallback},
      {"BU", kOrgKey},
  };
  family->aggregates = {
      {"statserver_callback_callbacks",
       "Callbacks by queue and state.",
       {{"queue", LabelFormat::Number, "QK"}, {"state", LabelFormat::ContactState, "State"}},
       AggregateOp::Count,
       {}},
      {"statserver_callback_max_wait_seconds",
       "Longest waiting time of a callback of the queue.",
       {{"queue", LabelFormat::Number, "QK"}},
       AggregateOp::Max,
       {"WaitTime"}},
      {"statserver_callback_attempts",
       "Attempts made so far for the callbacks of the queue.",
       {{"queue", LabelFormat::Number, "QK"}},
       AggregateOp::Sum,
       {"AttemptsCount"}},
  };
  family->contribute = [](const R &r, bool, std::vector<Contribution> &out) {
    out.push_back({0, {r.QK, static_cast<long>(r.State), 0}, 1});
    out.push_back({1, {r.QK, 0, 0}, static_cast<double>(r.WaitTime)});
    out.push_back({2, {r.QK, 0, 0}, static_cast<double>(r.AttemptsCount)});
  };
  family->Finish();
  return family;
}

} // namespace statexport
