// The keys that open the user rows of the contact-results, post-processing and routing-state
// cumulative events, in the order they travel and are shown: AK, DeptK, BU, Loc, SiteK (BU
// third, although each row declares it last of the keys). A row's layout starts its lists
// with these; the rest of each list follows in a second call of f.
#ifndef STATCLIENT_EVENTDATA_TSTUSERKEYSLAYOUT_H_
#define STATCLIENT_EVENTDATA_TSTUSERKEYSLAYOUT_H_

#include "core/Define.h"

namespace statcore {

template <class R, class F> void UserKeysWire(R &r, F &f) {
  f(FIELD(Long, AK), FIELD(Long, DeptK), FIELD(Long, BU), FIELD(Long, Loc), FIELD(Long, SiteK));
}

// The keys' text is their wire list.
template <class R, class F> void UserKeysText(R &r, F &f) {
  WireAsText<F> text{f};
  UserKeysWire(r, text);
}

} // namespace statcore

#endif // STATCLIENT_EVENTDATA_TSTUSERKEYSLAYOUT_H_
