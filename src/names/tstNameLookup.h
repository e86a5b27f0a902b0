// Looks a number up in a table of names that starts at `first`.
#ifndef STATCLIENT_TSTNAMELOOKUP_H_
#define STATCLIENT_TSTNAMELOOKUP_H_

#include <cstddef>

// The name of `value` in `names`, whose first entry names `first`; `fallback` outside it.
template <std::size_t N>
const char *NameLookup(const char *const (&names)[N], long first, long value,
                       const char *fallback) {
  if (value < first || value - first >= static_cast<long>(N))
    return fallback;
  return names[value - first];
}

#endif // STATCLIENT_TSTNAMELOOKUP_H_
