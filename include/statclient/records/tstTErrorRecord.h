// TErrorRecord: an error that an application reports to the Statistics Server.
//
// Five integers, two strings and a time stamp, each with a set-flag (see tstSetFlags.h). Unlike
// the contact records, the flags travel: they are packed first, as a number whose bit n is flag
// n, and unpacking replaces them with the low 8 bits of that number.
#ifndef STATCLIENT_RECORDS_TSTTERRORRECORD_H_
#define STATCLIENT_RECORDS_TSTTERRORRECORD_H_

#include <string>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "tstSetFlags.h"

// Fields of TErrorRecord in wire order, after the flags (format in tstSetFlags.h).
#define TST_ERROR_RECORD_FIELDS(FIELD)                                                             \
  FIELD(Type, Int, Val, 0, Plain, 0)                                                               \
  FIELD(RetCode, Int, Val, 1, Plain, 0)                                                            \
  FIELD(SecretCode, Int, Val, 2, Plain, 0)                                                         \
  FIELD(LineNumber, Int, Val, 3, Plain, 0)                                                         \
  FIELD(SiteKey, Int, Val, 4, Plain, 0)                                                            \
  FIELD(ModuleName, Text, Val, 5, Plain, "")                                                       \
  FIELD(ErrorText, Text, Val, 6, Plain, "")                                                        \
  FIELD(ErrorTime, Time, Ref, 7, Plain, 1)

class TErrorRecord {
public:
  enum SetBit_TErrorRecord : int {
    TST_ERROR_RECORD_FIELDS(TST_FIELD_ENUMERATOR) BitCount_TErrorRecord = 8
  };

  TErrorRecord() = default;
  // Starts from an error time of TTimeStamp(0) and clear flags, then assigns `other`.
  TErrorRecord(const TErrorRecord &other);
  TErrorRecord &operator=(const TErrorRecord &other) = default;
  virtual ~TErrorRecord();

  TST_ERROR_RECORD_FIELDS(TST_FLAGGED_ACCESSORS)

  // Throws std::out_of_range for a position of 8 or more.
  TST_FLAG_TESTER(TErrorRecord)

  unsigned long Size() const;

private:
  template <class> friend struct statcore::Layout;
  TST_ERROR_RECORD_FIELDS(TST_FIELD_MEMBER)
  TSetFlags<BitCount_TErrorRecord> flags_;
};

TPack &operator<<(TPack &pack, const TErrorRecord &record);
TPack &operator>>(TPack &pack, TErrorRecord &record);

#endif // STATCLIENT_RECORDS_TSTTERRORRECORD_H_
