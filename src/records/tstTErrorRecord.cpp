#include "records/tstTErrorRecord.h"

#include "core/Define.h"

namespace statcore {

// The flags travel first.
template <> struct Layout<TErrorRecord> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Flags(r.flags_, "SetFlags"));
    TST_ERROR_RECORD_FIELDS(STATCORE_WIRE_MEMBER)
  }
};

} // namespace statcore

TErrorRecord::TErrorRecord(const TErrorRecord &other) : ErrorTime_(0) { *this = other; }

TErrorRecord::~TErrorRecord() = default;

STATCORE_DEFINE_SIZE(TErrorRecord)
STATCORE_DEFINE_RECORD_OPERATORS(TErrorRecord)
STATCORE_DEFINE_WALK(TErrorRecord)
