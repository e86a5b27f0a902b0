#include <string>

#include "statexport/FamilyTables.h"

namespace statexport {

std::string LabelValue(LabelFormat format, long value) {
  const int number = static_cast<int>(value);
  switch (format) {
  case LabelFormat::Number:
    break;
  case LabelFormat::RoutingState:
    return TpsTRoutingState::ToString(static_cast<TpsTRoutingState::enRoutingState>(number));
  case LabelFormat::PresenceState:
    return TpsTPresenceState::ToString(static_cast<TpsTPresenceState::enPresenceState>(number));
  case LabelFormat::Medium:
    return MediaTypeToString(number);
  case LabelFormat::MediaState:
    return MediaStateToString(number);
  case LabelFormat::ContactType:
    return ContactTypeToString(number);
  case LabelFormat::HandlingState:
    return HandlingStateToString(number);
  case LabelFormat::ContactState:
    return TCMState::ToString(static_cast<TCMState::enContactState>(number));
  case LabelFormat::CsmType:
    return CSMTypeToString(number);
  }
  return std::to_string(value);
}

const std::vector<std::unique_ptr<Family>> &AllFamilies() {
  static const std::vector<std::unique_ptr<Family>> families = [] {
    std::vector<std::unique_ptr<Family>> all;
    all.push_back(UserRealTimeFamily());
    all.push_back(QueueRealTimeFamily());
    all.push_back(GroupRealTimeFamily());
    all.push_back(ContactRealTimeFamily());
    all.push_back(CallbackRealTimeFamily());
    all.push_back(UserCumulativeFamily());
    all.push_back(QueueCumulativeFamily());
    all.push_back(GroupCumulativeFamily());
    all.push_back(CallbackCumulativeFamily());
    all.push_back(DestinationCumulativeFamily());
    all.push_back(ContactResultsCumulativeFamily());
    all.push_back(RoutingStateCumulativeFamily());
    all.push_back(PostProcessingCumulativeFamily());
    all.push_back(WorkFlowCumulativeFamily());
    all.push_back(CallDirectorCumulativeFamily());
    return all;
  }();
  return families;
}

const Family *FindFamily(int eventId) {
  for (const auto &family : AllFamilies())
    if (family->id == eventId)
      return family.get();
  return nullptr;
}

} // namespace statexport
