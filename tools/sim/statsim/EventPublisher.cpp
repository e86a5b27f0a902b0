#include "statsim/EventPublisher.h"

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
      record->CIQ = queue.waiting;
      record->Shf.Rec = queue.received;
      record->Shf.Ans = queue.answered;
      record->Shf.Abd = queue.abandoned;
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
      record->PrimWaiting = model.Queues()[static_cast<std::size_t>(group)].waiting;
    }
  }
  return Packed(event);
}

} // namespace

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
  default: {
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
