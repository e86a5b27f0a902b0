#include "records/tstTContactDetail.h"

#include "core/Define.h"

// The nested records' walks are instantiated with their own layouts.
extern template void WalkFields<TCallbackScheduleLog>(const TCallbackScheduleLog &, TFieldSink &);
extern template void WalkFields<TCallbackAttemptLog>(const TCallbackAttemptLog &, TFieldSink &);
extern template void WalkFields<TOpenMediaContent>(const TOpenMediaContent &, TFieldSink &);

namespace statcore {

template <> struct Layout<TContactDetailCommonFields> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_CONTACT_DETAIL_COMMON_FIELDS(STATCORE_WIRE_MEMBER, STATCORE_WIRE_LIST)
  }
};

template <> struct Layout<TContactDetail> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    Layout<TContactDetailCommonFields>::Wire(AsBase<TContactDetailCommonFields>(r), f);
    TST_CONTACT_DETAIL_FIELDS(STATCORE_WIRE_MEMBER, STATCORE_WIRE_LIST)
  }
};

} // namespace statcore

TContactDetailCommonFields::~TContactDetailCommonFields() = default;
TContactDetail::~TContactDetail() = default;

const int TContactDetail::UNKNOWN_REQUEUE_COUNT;

STATCORE_DEFINE_SIZE(TContactDetailCommonFields)
STATCORE_DEFINE_SIZE(TContactDetail)
STATCORE_DEFINE_RECORD_OPERATORS(TContactDetailCommonFields)
STATCORE_DEFINE_RECORD_OPERATORS(TContactDetail)
STATCORE_DEFINE_WALK(TContactDetailCommonFields)
STATCORE_DEFINE_WALK(TContactDetail)
