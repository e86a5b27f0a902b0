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

TPack &operator<<(TPack &pack, const TpsTPresenceState::enPresenceState &value) {
  return PackEnum32(pack, value);
}
TPack &operator>>(TPack &pack, TpsTPresenceState::enPresenceState &value) {
  return UnpackEnum32(pack, value);
}
TPack &operator<<(TPack &pack, const TpsTRoutingState::enRoutingState &value) {
  return PackEnum32(pack, value);
}
TPack &operator>>(TPack &pack, TpsTRoutingState::enRoutingState &value) {
  return UnpackEnum32(pack, value);
}
