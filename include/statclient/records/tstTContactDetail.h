// The contact detail: one contact (call, e-mail, callback, open-media item) as the Statistics
// Server knows it. TContactDetailCommonFields holds what every kind of contact has;
// TContactDetail adds identifiers, callback, e-mail and open-media fields and three lists of
// nested records. The same record is the body of the contact-detail query and is filled from
// its reply.
//
// Set-flags (see tstSetFlags.h) never travel. On unpack the two integer lists of the common
// fields are appended to, while the three record lists are emptied and refilled. List counts
// are unsigned 32-bit; nothing is reserved from a count, so a count larger than the data fails
// at the first short read.
#ifndef STATCLIENT_RECORDS_TSTTCONTACTDETAIL_H_
#define STATCLIENT_RECORDS_TSTTCONTACTDETAIL_H_

#include <string>
#include <vector>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "tstSetFlags.h"
#include "tstTCallbackLogs.h"
#include "tstTOpenMediaContent.h"

// Fields of TContactDetailCommonFields in wire order (format in tstSetFlags.h). ActiveTime and
// PostProcessingTime travel out of flag order, BusUnitKey after the two lists; flag 17 belongs
// to no field.
#define TST_CONTACT_DETAIL_COMMON_FIELDS(FIELD, LIST)                                              \
  FIELD(ContactFrom, Text, Val, 0, Trimmed, "")                                                    \
  FIELD(ContactTo, Text, Val, 1, Trimmed, "")                                                      \
  FIELD(Description, Text, Val, 2, Trimmed, "")                                                    \
  FIELD(CallData, Text, Val, 3, Plain, "")                                                         \
  FIELD(ContactType, Short, Val, 4, Plain, 0)                                                      \
  FIELD(ContactState, Long, Val, 5, Plain, 0)                                                      \
  FIELD(SiteKey, Long, Val, 6, Plain, 0)                                                           \
  FIELD(QueueKey, Long, Val, 7, Plain, 0)                                                          \
  FIELD(Priority, Long, Val, 8, Plain, 0)                                                          \
  FIELD(OriginalAnsweringAgentKey, Long, Val, 9, Plain, 0)                                         \
  FIELD(AssignedAgentKey, Long, Val, 10, Plain, 0)                                                 \
  FIELD(ReservedAgentKey, Long, Val, 11, Plain, 0)                                                 \
  FIELD(ContactWaitTime, Long, Val, 12, Plain, 0)                                                  \
  FIELD(ContactTotalTime, Long, Val, 13, Plain, 0)                                                 \
  FIELD(ContactTimedOut, Bool, Val, 14, Plain, false)                                              \
  FIELD(ActiveTime, Long, Val, 19, Plain, 0)                                                       \
  FIELD(AgentDisconnectTime, Time, Val, 15, Plain, 1)                                              \
  FIELD(ContactOccurredTime, Time, Val, 16, Plain, 1)                                              \
  FIELD(PostProcessingTime, Long, Val, 18, Plain, 0)                                               \
  LIST(ValueListA, AppendList)                                                                     \
  LIST(ValueListB, AppendList)                                                                     \
  FIELD(BusUnitKey, Long, Val, 20, Plain, 0)

class TContactDetailCommonFields {
public:
  enum SetBit_TContactDetailCommonFields : int {
    TST_CONTACT_DETAIL_COMMON_FIELDS(TST_FIELD_ENUMERATOR, TST_SKIP) BitReserved17 = 17,
    BitCount_TContactDetailCommonFields = 21
  };

  TContactDetailCommonFields() = default;
  TContactDetailCommonFields(const TContactDetailCommonFields &) = default;
  TContactDetailCommonFields &operator=(const TContactDetailCommonFields &) = default;
  virtual ~TContactDetailCommonFields();

  TST_CONTACT_DETAIL_COMMON_FIELDS(TST_FLAGGED_ACCESSORS, TST_SKIP)

  unsigned long Size() const;

  // Two lists of int32 values the library only copies and transports.
  std::vector<long> ValueListA;
  std::vector<long> ValueListB;

private:
  template <class> friend struct statcore::Layout;
  TST_CONTACT_DETAIL_COMMON_FIELDS(TST_FIELD_MEMBER, TST_SKIP)
  // Serve the once-only setters; there is no public tester.
  TSetFlags<BitCount_TContactDetailCommonFields> flags_;
};

TPack &operator<<(TPack &pack, const TContactDetailCommonFields &record);
TPack &operator>>(TPack &pack, TContactDetailCommonFields &record);

// Fields of TContactDetail in wire order, after the common fields; flag 7 belongs to no field.
#define TST_CONTACT_DETAIL_FIELDS(FIELD, LIST)                                                     \
  FIELD(ClientJobID, Text, Val, 0, Plain, "")                                                      \
  FIELD(ClientUniqueID, Text, Val, 1, Plain, "")                                                   \
  FIELD(ContactID, Text, Val, 2, Trimmed, "")                                                      \
  FIELD(RequeueCount, Long, Val, 3, Plain, UNKNOWN_REQUEUE_COUNT)                                  \
  FIELD(RequestAgentKey, Long, Val, 4, Plain, 0)                                                   \
  FIELD(MediaType, Short, Val, 5, Plain, 0)                                                        \
  FIELD(AsynchronousEvent, ShortFlag, IsShort, 6, Plain, true)                                     \
  FIELD(CallbackContactName, Text, Val, 8, Trimmed, "")                                            \
  FIELD(CallbackOriginalCallingAgentKey, Long, Val, 9, Plain, 0)                                   \
  FIELD(CallbackCreatorAgentKey, Long, Val, 10, Plain, 0)                                          \
  FIELD(CallbackOriginType, Long, Val, 11, Plain, 0)                                               \
  FIELD(CallbackResult, Long, Val, 12, Plain, 0)                                                   \
  FIELD(CallbackRetryDelay, Long, Val, 13, Plain, 0)                                               \
  FIELD(CallbackStatus, Long, Val, 14, Plain, 0)                                                   \
  FIELD(CallbackCreatedTime, Time, Ref, 15, Plain, 1)                                              \
  FIELD(CallbackLastCallTime, Time, Ref, 16, Plain, 1)                                             \
  FIELD(EmailSubject, Text, Val, 17, Plain, "")                                                    \
  FIELD(OpenMediaTitle, Text, Val, 18, Trimmed, "")                                                \
  FIELD(SequenceNumber, Int, Val, 19, Plain, 0)                                                    \
  FIELD(ScreenPopFrom, Text, Val, 20, Plain, "")                                                   \
  FIELD(ScreenPopRedirect, Text, Val, 21, Plain, "")                                               \
  FIELD(WCContent, Text, Val, 22, Plain, "")                                                       \
  LIST(CallbackScheduleLogs, ReplaceList)                                                          \
  LIST(CallbackAttemptLogs, ReplaceList)                                                           \
  LIST(OpenMediaContents_, ReplaceList)

class TContactDetail : public TContactDetailCommonFields {
public:
  // RequeueCount of a record whose requeue count nobody has set.
  static const int UNKNOWN_REQUEUE_COUNT = -9999;

  enum SetBit_TContactDetail : int {
    TST_CONTACT_DETAIL_FIELDS(TST_FIELD_ENUMERATOR, TST_SKIP) BitReserved7 = 7,
    BitCount_TContactDetail = 23
  };

  TContactDetail() = default;
  TContactDetail(const TContactDetail &) = default;
  TContactDetail &operator=(const TContactDetail &) = default;
  ~TContactDetail() override;

  // AsynchronousEvent is set from a short (non-zero stores true) and read with
  // IsAsynchronousEvent as 1 or 0.
  TST_CONTACT_DETAIL_FIELDS(TST_FLAGGED_ACCESSORS, TST_SKIP)

  // Throws std::out_of_range for a position of 23 or more.
  TST_FLAG_TESTER(TContactDetail)

  std::vector<TOpenMediaContent> GetOpenMediaContents() const { return OpenMediaContents_; }
  void addOpenMediaContent(const TOpenMediaContent &content) {
    OpenMediaContents_.push_back(content);
  }

  unsigned long Size() const;

  std::vector<TCallbackScheduleLog> CallbackScheduleLogs;
  std::vector<TCallbackAttemptLog> CallbackAttemptLogs;

private:
  template <class> friend struct statcore::Layout;
  TST_CONTACT_DETAIL_FIELDS(TST_FIELD_MEMBER, TST_SKIP)
  std::vector<TOpenMediaContent> OpenMediaContents_;
  TSetFlags<BitCount_TContactDetail> flags_;
};

TPack &operator<<(TPack &pack, const TContactDetail &record);
TPack &operator>>(TPack &pack, TContactDetail &record);

#endif // STATCLIENT_RECORDS_TSTTCONTACTDETAIL_H_
