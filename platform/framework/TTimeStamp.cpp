#include "framework/TTimeStamp.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

std::tm ToTm(const TTimeStamp &t) {
  std::tm tm{};
  tm.tm_year = t.GetYear() - 1900;
  tm.tm_mon = t.GetMonth() - 1;
  tm.tm_mday = t.GetDay();
  tm.tm_hour = t.GetHour();
  tm.tm_min = t.GetMinute();
  tm.tm_sec = t.GetSecond();
  return tm;
}

} // namespace

void TTimeStamp::SetToNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
  std::tm local{};
  localtime_r(&seconds, &local);
  year_ = static_cast<unsigned short>(local.tm_year + 1900);
  month_ = static_cast<unsigned short>(local.tm_mon + 1);
  day_ = static_cast<unsigned short>(local.tm_mday);
  hour_ = static_cast<unsigned short>(local.tm_hour);
  minute_ = static_cast<unsigned short>(local.tm_min);
  second_ = static_cast<unsigned short>(local.tm_sec);
  msecond_ = static_cast<unsigned short>(ms.count() % 1000);
  dst_ = local.tm_isdst > 0 ? 1 : 0;
}

// A calendar date: the C library normalises day overflow into months and years.
void TTimeStamp::AddCalendarDays(long days) {
  std::tm tm = ToTm(*this);
  tm.tm_mday += static_cast<int>(days);
  tm.tm_isdst = -1;
  const std::time_t moved = timegm(&tm);
  std::tm normal{};
  gmtime_r(&moved, &normal);
  year_ = static_cast<unsigned short>(normal.tm_year + 1900);
  month_ = static_cast<unsigned short>(normal.tm_mon + 1);
  day_ = static_cast<unsigned short>(normal.tm_mday);
}

std::string TTimeStamp::GetTime(unsigned char withMs, char timeSep, char msSep) const {
  char text[48];
  if (withMs)
    std::snprintf(text, sizeof text, "%02u%c%02u%c%02u%c%03u", unsigned{hour_}, timeSep,
                  unsigned{minute_}, timeSep, unsigned{second_}, msSep, unsigned{msecond_});
  else
    std::snprintf(text, sizeof text, "%02u%c%02u%c%02u", unsigned{hour_}, timeSep,
                  unsigned{minute_}, timeSep, unsigned{second_});
  return text;
}

std::string TTimeStamp::GetDateTime(unsigned char withMs, char dateSep, char timeSep,
                                    char msSep) const {
  char date[32];
  std::snprintf(date, sizeof date, "%04u%c%02u%c%02u ", unsigned{year_}, dateSep, unsigned{month_},
                dateSep, unsigned{day_});
  return date + GetTime(withMs, timeSep, msSep);
}

bool operator==(const TTimeStamp &a, const TTimeStamp &b) {
  return a.year_ == b.year_ && a.month_ == b.month_ && a.day_ == b.day_ && a.hour_ == b.hour_ &&
         a.minute_ == b.minute_ && a.second_ == b.second_ && a.msecond_ == b.msecond_ &&
         a.dst_ == b.dst_;
}
