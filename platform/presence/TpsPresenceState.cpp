#include "presence/TpsPresenceState.h"

#include "framework/TPack.h"

std::string TpsTPresenceState::ToString(enPresenceState state) {
  switch (state) {
  case PRESENCE_UNKNOWN:
    return "Unknown";
  case PRESENCE_AVAILABLE:
    return "Available";
  case PRESENCE_BUSY:
    return "Busy";
  case PRESENCE_AWAY:
    return "Away";
  case PRESENCE_DONOTDISTURB:
    return "DoNotDisturb";
  case PRESENCE_OFFLINE:
    return "Offline";
  }
  return "Invalid";
}

std::string TpsTRoutingState::ToString(enRoutingState state) {
  switch (state) {
  case ROUTING_UNKNOWN:
    return "Unknown";
  case ROUTING_READY:
    return "Ready";
  case ROUTING_NOTREADY:
    return "NotReady";
  case ROUTING_RESERVED:
    return "Reserved";
  case ROUTING_LOGGEDOFF:
    return "LoggedOff";
  case ROUTING_WORKREADY:
    return "WorkReady";
  }
  return "Invalid";
}

TPack &operator<<(TPack &pack, const TpsTPresenceState::enPresenceState &state) {
  pack.PutInt32(state);
  return pack;
}

TPack &operator>>(TPack &pack, TpsTPresenceState::enPresenceState &state) {
  state = static_cast<TpsTPresenceState::enPresenceState>(pack.GetInt32());
  return pack;
}

TPack &operator<<(TPack &pack, const TpsTRoutingState::enRoutingState &state) {
  pack.PutInt32(state);
  return pack;
}

TPack &operator>>(TPack &pack, TpsTRoutingState::enRoutingState &state) {
  state = static_cast<TpsTRoutingState::enRoutingState>(pack.GetInt32());
  return pack;
}
