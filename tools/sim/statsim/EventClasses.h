// The event class of each public event id, as a compile-time dispatch: VisitEventClass(id, f)
// calls f with a default-constructed event of the id's class (the pairing of the event families
// in statsupport/EventFamilies.h) and returns true, or returns false when the id has no class.
// Header-only; the event lives for the duration of the call.
#ifndef STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_
#define STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_

#include <statsupport/EventFamilies.h>

namespace statsim {

template <class Visitor> bool VisitEventClass(int eventId, Visitor &&visit) {
  bool found = false;
  statsupport::ForEachEventFamily([&](auto family) {
    if (found || family.id != eventId)
      return;
    typename decltype(family)::Event event{};
    visit(event);
    found = true;
  });
  return found;
}

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_
