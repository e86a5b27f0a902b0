#include "records/tstTOpenMediaContent.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TOpenMediaContent> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_OPEN_MEDIA_CONTENT_FIELDS(STATCORE_WIRE_MEMBER)
  }
};

} // namespace statcore

TOpenMediaContent::~TOpenMediaContent() = default;

STATCORE_DEFINE_SIZE(TOpenMediaContent)
STATCORE_DEFINE_RECORD_OPERATORS(TOpenMediaContent)
STATCORE_DEFINE_WALK(TOpenMediaContent)
