// Conversions from the record fields to the numbers the exporter publishes: durations and points
// in time to seconds, percentages to ratios. Every result is rounded to at most 15 significant
// decimal digits, so that its shortest decimal text reads back as the same double in every
// rendering (the exposition and the wallboard JSON show equal values as equal numbers).
//
// Pure functions; never throw. A point in time without a calendar date (the zero value) has no
// Unix time: the result is NaN, which the renderings leave out.
#ifndef STATCLIENT_TOOLS_STATEXPORT_CONVERT_H_
#define STATCLIENT_TOOLS_STATEXPORT_CONVERT_H_

#include <cmath>
#include <limits>

#include <statclient/statclient.h>

namespace statexport {

// `value` rounded to `decimals` places.
inline double Rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// A duration held in a TTimeStamp, in seconds with its milliseconds.
inline double Seconds(const TTimeStamp &duration) {
  const double whole = ((static_cast<double>(duration.GetDay()) * 24 + duration.GetHour()) * 60 +
                        duration.GetMinute()) *
                           60 +
                       duration.GetSecond();
  return whole + duration.GetMSecond() / 1000.0;
}

// A point in time read as UTC, in seconds since the Unix epoch; NaN without a calendar date.
inline double UnixSeconds(const TTimeStamp &point) {
  const int month = point.GetMonth();
  if (month < 1 || month > 12 || point.GetDay() < 1)
    return std::numeric_limits<double>::quiet_NaN();
  // Days from the civil date (proleptic Gregorian calendar).
  const long year = static_cast<long>(point.GetYear()) - (month <= 2 ? 1 : 0);
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + point.GetDay() - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const double days = static_cast<double>(era * 146097 + dayOfEra - 719468);
  return ((days * 24 + point.GetHour()) * 60 + point.GetMinute()) * 60 + point.GetSecond() +
         point.GetMSecond() / 1000.0;
}

// A percentage (0..100) as a ratio (0..1), to the precision a 32-bit float carries.
inline double Ratio(double percent) { return Rounded(percent / 100.0, 7); }

// A 32-bit float field, to the precision it carries.
inline double FloatValue(float value) { return Rounded(static_cast<double>(value), 6); }

// A period length in minutes, in seconds.
inline double MinutesToSeconds(long minutes) { return static_cast<double>(minutes) * 60.0; }

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_CONVERT_H_
