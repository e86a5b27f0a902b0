#include "statsim/EventPublisher.h"

#include <string>

#include <statclient/statclient.h>

#include "statsim/EventClasses.h"

namespace statsim {

namespace {

using Server = TStatisticsServer;

template <class Event> std::vector<unsigned char> Packed(const Event &event) {
  TPack pack(1);
  pack << event;
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

TpsTPresenceState::enPresenceState PresenceOf(const SimUser &user) {
  if (!user.loggedOn)
    return TpsTPresenceState::PRESENCE_OFFLINE;
  static const TpsTPresenceState::enPresenceState kByModel[] = {
      TpsTPresenceState::PRESENCE_AVAILABLE, TpsTPresenceState::PRESENCE_BUSY,
      TpsTPresenceState::PRESENCE_AWAY};
  return kByModel[user.presence];
}

TpsTRoutingState::enRoutingState RoutingOf(const SimUser &user) {
  if (!user.loggedOn)
    return TpsTRoutingState::ROUTING_LOGGEDOFF;
  return user.presence == 2 ? TpsTRoutingState::ROUTING_NOTREADY : TpsTRoutingState::ROUTING_READY;
}

std::vector<unsigned char> UserRealTime(const ContactCenterModel &model, bool includeLoggedOff) {
  TUserRealTimeEvent event;
  for (const SimUser &user : model.Users()) {
    if (!user.loggedOn && !includeLoggedOff)
      continue;
    if (auto *record = AddRecord(event)) {
      record->AK = user.key;
      record->BU = user.group;
      record->GK.push_back(user.group);
      record->Pres = PresenceOf(user);
      record->PresExcDC = record->Pres;
      record->RS = RoutingOf(user);
      record->PresTime = model.Step() - user.stateSince;
      record->RSTime = record->PresTime;
    }
  }
  return Packed(event);
}

std::vector<unsigned char> QueueRealTime(const ContactCenterModel &model) {
  TQueueRealTimeEvent event;
  for (const SimQueue &queue : model.Queues()) {
    if (auto *record = AddRecord(event)) {
      record->QK = queue.key;
      record->CIQ = queue.Waiting();
      if (!queue.arrivals.empty())
        record->Samp.OWT = Duration(model.Step() - queue.arrivals.front());
      record->Shf.Rec = queue.received;
      record->Shf.Ans = queue.answered;
      record->Shf.Abd = queue.abandoned;
      // With nothing answered yet no contact has missed the target.
      record->Shf.SL = queue.answered == 0 ? 100.0f
                                           : 100.0f * static_cast<float>(queue.answeredInTarget) /
                                                 static_cast<float>(queue.answered);
    }
  }
  return Packed(event);
}

std::vector<unsigned char> GroupRealTime(const ContactCenterModel &model) {
  TGroupRealTimeEvent event;
  for (long group = 0; group < ContactCenterModel::kGroups; ++group) {
    if (auto *record = AddRecord(event)) {
      record->VG = group;
      record->LoggedOnUsers = model.LoggedOn(group);
      record->IdleUsers = model.CountUsers(group, 0);
      record->BusyUsers = model.CountUsers(group, 1);
      record->AwayUsers = model.CountUsers(group, 2);
      record->PrimWaiting = model.Queues()[static_cast<std::size_t>(group)].Waiting();
    }
  }
  return Packed(event);
}

// One contact record per contact waiting on each queue.
std::vector<unsigned char> ContactRealTime(const ContactCenterModel &model) {
  TContactRealTimeEvent event;
  for (const SimQueue &queue : model.Queues())
    for (long contact = 0; contact < queue.Waiting(); ++contact)
      if (auto *record = AddRecord(event)) {
        record->QK = static_cast<short>(queue.key);
        record->VG = queue.key % ContactCenterModel::kGroups;
        record->State = TCMState::CONTACT_QUEUED;
        record->REQC = queue.received - contact;
        record->CID = "C" + std::to_string(queue.key) + "-" + std::to_string(record->REQC);
      }
  return Packed(event);
}

// One scheduled callback record per callback the model has left.
std::vector<unsigned char> CallbackRealTime(const ContactCenterModel &model) {
  TCallbackRealTimeEvent event;
  for (long callback = 0; callback < model.Callbacks(); ++callback)
    if (auto *record = AddRecord(event)) {
      record->QK = model.Queues()[static_cast<std::size_t>(callback) % model.Queues().size()].key;
      record->State = TCMState::CONTACT_SCHEDULED;
      record->REQC = callback + 1;
      record->CID = "CB-" + std::to_string(callback + 1);
    }
  return Packed(event);
}

std::vector<unsigned char> QueueCumulative(const ContactCenterModel &model) {
  TQueueCumulativeEvent event;
  for (const SimQueue &queue : model.Queues())
    if (auto *record = AddRecord(event)) {
      record->QK = queue.key;
      record->Received[0] = queue.received;
      record->Answered[0] = queue.answered;
      record->Abandoned = queue.abandoned;
      record->Waiting[1] = queue.Waiting();
    }
  return Packed(event);
}

std::vector<unsigned char> GroupCumulative(const ContactCenterModel &model) {
  TGroupCumulativeEvent event;
  for (long group = 0; group < ContactCenterModel::kGroups; ++group)
    if (auto *record = AddRecord(event)) {
      record->GK = group;
      record->LoggedOn[1] = model.LoggedOn(group);
    }
  return Packed(event);
}

std::vector<unsigned char> UserCumulative(const ContactCenterModel &model) {
  TUserCumulativeEvent event;
  for (const SimUser &user : model.Users())
    if (auto *record = AddRecord(event)) {
      record->AK = user.key;
      record->BU = user.group;
      record->IdleCount = user.loggedOn && user.presence == 0;
      record->BusyCount = user.loggedOn && user.presence == 1;
      record->AwayCount = user.loggedOn && user.presence == 2;
    }
  return Packed(event);
}

std::vector<unsigned char> CallbackCumulative(const ContactCenterModel &model) {
  TCallbackCumulativeEvent event;
  for (const SimQueue &queue : model.Queues())
    if (auto *record = AddRecord(event)) {
      record->QueueK = queue.key;
      record->Callback = model.Callbacks();
    }
  return Packed(event);
}

} // namespace

TTimeStamp Duration(long seconds, unsigned short milliseconds) {
  TTimeStamp duration(1);
  duration.AddDays(seconds / 86400);
  duration.SetHour(static_cast<unsigned short>(seconds % 86400 / 3600));
  duration.SetMinute(static_cast<unsigned short>(seconds % 3600 / 60));
  duration.SetSecond(static_cast<unsigned short>(seconds % 60));
  duration.SetMSecond(milliseconds);
  return duration;
}

bool IsCumulative(int eventId) {
  return eventId >= Server::USERCUMULATIVEEVENT && eventId != Server::CONTACTLOGSUMMARYEVENT &&
         eventId != Server::UPDATECONTACTLOGSUMMARYEVENT &&
         eventId != Server::REFRESHCOMPLETECUMULATIVEEVENT;
}

std::vector<unsigned char> PackEvent(int eventId, const ContactCenterModel &model,
                                     bool includeLoggedOff) {
  switch (eventId) {
  case Server::USERREALTIMEEVENT:
    return UserRealTime(model, includeLoggedOff);
  case Server::QUEUEREALTIMEEVENT:
    return QueueRealTime(model);
  case Server::GROUPREALTIMEEVENT:
    return GroupRealTime(model);
  case Server::CONTACTREALTIMEEVENT:
    return ContactRealTime(model);
  case Server::CALLBACKREALTIMEEVENT:
    return CallbackRealTime(model);
  case Server::QUEUECUMULATIVEEVENT:
    return QueueCumulative(model);
  case Server::GROUPCUMULATIVEEVENT:
    return GroupCumulative(model);
  case Server::USERCUMULATIVEEVENT:
    return UserCumulative(model);
  case Server::CALLBACKCUMULATIVEEVENT:
    return CallbackCumulative(model);
  default: {
    // The families the model has no figures for: one row per queue with its defaults.
    std::vector<unsigned char> bytes;
    VisitEventClass(eventId, [&](auto &event) {
      for (std::size_t i = 0; i < model.Queues().size(); ++i)
        AddRecord(event);
      bytes = Packed(event);
    });
    return bytes;
  }
  }
}

} // namespace statsim
