#include "framework/TTimeZone.h"

TTimeZoneData::TTimeZoneData()
    : localToStandard_(1), localToDST_(1), gmtToStandard_(1), gmtToDST_(1) {}

TTimeZoneData &TTimeZoneData::operator=(const TTimeZoneData &other) = default;

TTimeZone::TTimeZone(const TTimeZone &other)
    : TBase(other), timeZoneName_(other.timeZoneName_), standardName_(other.standardName_),
      data_(other.data_) {}

TTimeZone &TTimeZone::operator=(const TTimeZone &other) {
  TBase::operator=(other);
  timeZoneName_ = other.timeZoneName_;
  standardName_ = other.standardName_;
  data_ = other.data_;
  return *this;
}

TTimeZone::~TTimeZone() = default;
