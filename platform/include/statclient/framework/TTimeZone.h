// Time-zone values of the framework: the transition points of one year (TTimeZoneData) and a
// named zone with its data by year (TTimeZone).
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TTIMEZONE_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TTIMEZONE_H_

#include <map>
#include <string>

#include "framework/TFramework.h"
#include "framework/TTimeStamp.h"

// One year of a zone: when local and GMT time switch to standard time and to daylight-saving
// time, and the offsets from GMT in minutes.
class TTimeZoneData {
public:
  TTimeZoneData();
  TTimeZoneData(const TTimeZoneData &other) = default;
  // Copies every field.
  TTimeZoneData &operator=(const TTimeZoneData &other);

  TTimeStamp getLocalToStandard() const { return localToStandard_; }
  TTimeStamp getLocalToDST() const { return localToDST_; }
  TTimeStamp getGMTToStandard() const { return gmtToStandard_; }
  TTimeStamp getGMTToDST() const { return gmtToDST_; }
  long getStandardBias() const { return standardBias_; }
  long getDSTBias() const { return dstBias_; }

  void setLocalToStandard(const TTimeStamp &value) { localToStandard_ = value; }
  void setLocalToDST(const TTimeStamp &value) { localToDST_ = value; }
  void setGMTToStandard(const TTimeStamp &value) { gmtToStandard_ = value; }
  void setGMTToDST(const TTimeStamp &value) { gmtToDST_ = value; }
  void setStandardBias(long minutes) { standardBias_ = minutes; }
  void setDSTBias(long minutes) { dstBias_ = minutes; }

private:
  TTimeStamp localToStandard_;
  TTimeStamp localToDST_;
  TTimeStamp gmtToStandard_;
  TTimeStamp gmtToDST_;
  long standardBias_ = 0;
  long dstBias_ = 0;
};

// A named time zone and its data by year.
class TTimeZone : public TBase {
public:
  TTimeZone() = default;
  // Copy and assignment copy the TBase part, both names and the data.
  TTimeZone(const TTimeZone &other);
  TTimeZone &operator=(const TTimeZone &other);
  ~TTimeZone() override;

  void SetTimeZoneName(const std::string &name) { timeZoneName_ = name; }
  const std::string &GetTimeZoneName() const { return timeZoneName_; }
  void SetStandardName(const std::string &name) { standardName_ = name; }
  std::string GetStandardName() const { return standardName_; }

  std::map<long, TTimeZoneData> getTimeZoneData() const { return data_; }
  void setTimeZoneData(long year, const TTimeZoneData &data) { data_[year] = data; }

private:
  std::string timeZoneName_;
  std::string standardName_;
  std::map<long, TTimeZoneData> data_;
};

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TTIMEZONE_H_
