// The contact state and its names.
#ifndef STATCLIENT_NAMES_TSTTCMSTATE_H_
#define STATCLIENT_NAMES_TSTTCMSTATE_H_

#include <string>

class TPack;

// Scopes the contact-state enumeration; holds no data. The enumeration is 32-bit so that any
// value read or assigned can be held, named "Unknown" when it is outside the list below.
class TCMState {
public:
  enum enContactState : int {
    CONTACT_INITIAL = -1,
    CONTACT_INVALID = 0,
    CONTACT_PROCESSING = 1,
    CONTACT_QUEUED = 2,
    CONTACT_PENDING = 3,
    CONTACT_RESERVED = 4,
    CONTACT_HANDLED = 5,
    CONTACT_DEFERRED = 6,
    CONTACT_EXTERNALEMAILCONSULT = 7,
    CONTACT_MEDIASUSPENDED = 8,
    CONTACT_UNANSWERED = 9,
    CONTACT_SCHEDULED = 10,
    CONTACT_IVRSUSPENDED = 11,
    CONTACT_NETWORKSUSPENDED = 12,
    CONTACT_POSTPROCESSING = 13,
  };

  TCMState();
  TCMState(const TCMState &other);
  TCMState &operator=(const TCMState &other);
  virtual ~TCMState();

  static std::string ToString(enContactState state);
};

// On the wire a contact state is one int16: packing writes the low 16 bits of the value,
// unpacking sign-extends them (so -1 travels as the int16 -1).
TPack &operator<<(TPack &pack, const TCMState::enContactState &state);
TPack &operator>>(TPack &pack, TCMState::enContactState &state);

#endif // STATCLIENT_NAMES_TSTTCMSTATE_H_
