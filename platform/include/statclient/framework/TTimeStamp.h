// TTimeStamp: the framework's date-time value.
//
// Seven unsigned 16-bit fields (year, month, day, hour, minute, second, millisecond) and a
// daylight-saving flag. The same type holds a point in time and a length of time; for the
// latter only day, hour, minute, second and millisecond are used and year and month stay 0.
//
// Arithmetic on the fields is unsigned 16-bit: a setter given a value outside 0..65535 keeps
// its low 16 bits (so -1 becomes 65535). Nothing here has undefined behaviour for any input.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TTIMESTAMP_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TTIMESTAMP_H_

#include <string>

class TTimeStamp {
public:
  // zero == 1: every field 0 (the zero value). zero == 0: the current local time.
  explicit TTimeStamp(unsigned char zero = 0) {
    if (!zero)
      SetToNow();
  }

  // zero == 1: reset to the zero value; zero == 0: set to the current local time. The zero
  // value and the arithmetic of durations are inline: a duration is rebuilt from them.
  void Update(unsigned char zero) {
    year_ = month_ = day_ = hour_ = minute_ = second_ = msecond_ = 0;
    dst_ = 0;
    if (!zero)
      SetToNow();
  }

  unsigned short GetYear() const { return year_; }
  unsigned short GetMonth() const { return month_; }
  unsigned short GetDay() const { return day_; }
  unsigned short GetHour() const { return hour_; }
  unsigned short GetMinute() const { return minute_; }
  unsigned short GetSecond() const { return second_; }
  unsigned short GetMSecond() const { return msecond_; }
  unsigned char GetDaylightSaving() const { return dst_; }

  void SetYear(unsigned short v) { year_ = v; }
  void SetMonth(unsigned short v) { month_ = v; }
  void SetDay(unsigned short v) { day_ = v; }
  void SetHour(unsigned short v) { hour_ = v; }
  void SetMinute(unsigned short v) { minute_ = v; }
  void SetSecond(unsigned short v) { second_ = v; }
  void SetMSecond(unsigned short v) { msecond_ = v; }
  void SetDaylightSaving(unsigned char v) { dst_ = v; }

  // On a value without a calendar date (month 0, as the zero value and every duration) adds
  // `days` to the day field with 16-bit wrap and no calendar rules, so a duration of up to
  // 65535 days is exact. On a calendar date it moves the date by whole days.
  void AddDays(long days) {
    if (month_ == 0)
      day_ = static_cast<unsigned short>(static_cast<unsigned long>(day_) +
                                         static_cast<unsigned long>(days));
    else
      AddCalendarDays(days);
  }

  // "HH:MM:SS.mmm" (withMs == 1) or "HH:MM:SS" (withMs == 0), with the given separators.
  // Each field is its own value, at least two digits (milliseconds three): the hours of a
  // duration of a day or more are the hour field alone, without the days.
  std::string GetTime(unsigned char withMs, char timeSep, char msSep) const;
  // "YYYY/MM/DD HH:MM:SS.mmm" with the given separators; withMs == 0 drops ".mmm".
  std::string GetDateTime(unsigned char withMs, char dateSep, char timeSep, char msSep) const;

  friend bool operator==(const TTimeStamp &a, const TTimeStamp &b);
  friend bool operator!=(const TTimeStamp &a, const TTimeStamp &b) { return !(a == b); }

private:
  void SetToNow();
  void AddCalendarDays(long days);

  unsigned short year_ = 0;
  unsigned short month_ = 0;
  unsigned short day_ = 0;
  unsigned short hour_ = 0;
  unsigned short minute_ = 0;
  unsigned short second_ = 0;
  unsigned short msecond_ = 0;
  unsigned char dst_ = 0;
};

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TTIMESTAMP_H_
