#include "names/tstTCMState.h"

#include "framework/TPack.h"
#include "tstNameLookup.h"

namespace {

// From CONTACT_INITIAL (-1) to CONTACT_POSTPROCESSING (13).
const char *const kContactStates[] = {"Initial",        "Invalid",          "Processing",
                                      "Queued",         "Pending",          "Reserved",
                                      "Handled",        "Deferred",         "ExternalEmailConsult",
                                      "MediaSuspended", "Unanswered",       "Scheduled",
                                      "IVRSuspended",   "NetworkSuspended", "PostProcessing"};

} // namespace

TCMState::TCMState() = default;
TCMState::TCMState(const TCMState &) = default;
TCMState &TCMState::operator=(const TCMState &) = default;
TCMState::~TCMState() = default;

std::string TCMState::ToString(enContactState state) {
  return NameLookup(kContactStates, CONTACT_INITIAL, state, "Unknown");
}

TPack &operator<<(TPack &pack, const TCMState::enContactState &state) {
  return pack << static_cast<short>(state);
}

TPack &operator>>(TPack &pack, TCMState::enContactState &state) {
  short wire = 0;
  pack >> wire;
  state = static_cast<TCMState::enContactState>(wire);
  return pack;
}
