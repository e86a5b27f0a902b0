// Shared by the suites of the contact records and services: time stamp and text helpers.
#ifndef STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
#define STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/TTimeStamp.h"
#include "support/Spans.h"

// A time stamp in 2026 on `day` at `hour`.
inline TTimeStamp Stamp(unsigned short day, unsigned short hour = 0) {
  TTimeStamp stamp(1);
  stamp.SetYear(2026);
  stamp.SetDay(day);
  stamp.SetHour(hour);
  return stamp;
}

// Texts packed one after the other: `pack << Texts{"a", "b"}`.
struct Texts {
  Texts(std::initializer_list<std::string> list) : items(list) {}
  std::vector<std::string> items;
};
inline TPack &operator<<(TPack &pack, const Texts &texts) {
  for (const std::string &text : texts.items)
    pack << text;
  return pack;
}

#endif // STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
