// Presence and routing states of the presence client library.
//
// Both travel as int32 (TPack encoding). Names, for text renderings:
//   presence  0 "Unknown", 1 "Available", 2 "Busy", 3 "Away", 4 "DoNotDisturb", 5 "Offline"
//   routing   0 "Unknown", 1 "Ready", 2 "NotReady", 3 "Reserved", 4 "LoggedOff", 5 "WorkReady"
// Any other value is named "Invalid".
#ifndef STATCLIENT_PLATFORM_PRESENCE_TPSPRESENCESTATE_H_
#define STATCLIENT_PLATFORM_PRESENCE_TPSPRESENCESTATE_H_

#include <string>

class TPack;

class TpsTPresenceState {
public:
  enum enPresenceState : int {
    PRESENCE_UNKNOWN = 0,
    PRESENCE_AVAILABLE = 1,
    PRESENCE_BUSY = 2,
    PRESENCE_AWAY = 3,
    PRESENCE_DONOTDISTURB = 4,
    PRESENCE_OFFLINE = 5,
  };
  static std::string ToString(enPresenceState state);
};

class TpsTRoutingState {
public:
  enum enRoutingState : int {
    ROUTING_UNKNOWN = 0,
    ROUTING_READY = 1,
    ROUTING_NOTREADY = 2,
    ROUTING_RESERVED = 3,
    ROUTING_LOGGEDOFF = 4,
    ROUTING_WORKREADY = 5,
  };
  static std::string ToString(enRoutingState state);
};

TPack &operator<<(TPack &pack, const TpsTPresenceState::enPresenceState &state);
TPack &operator>>(TPack &pack, TpsTPresenceState::enPresenceState &state);
TPack &operator<<(TPack &pack, const TpsTRoutingState::enRoutingState &state);
TPack &operator>>(TPack &pack, TpsTRoutingState::enRoutingState &state);

#endif // STATCLIENT_PLATFORM_PRESENCE_TPSPRESENCESTATE_H_
