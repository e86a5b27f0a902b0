#include "records/tstTEventDataContactLog.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TContactLogStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_CONTACT_LOG_STATISTICS_FIELDS(STATCORE_WIRE_PUBLIC)
  }
};

template <> struct Layout<TEventDataContactLog> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    Layout<TContactLogStatistics>::Wire(AsBase<TContactLogStatistics>(r), f);
    TST_EVENT_DATA_CONTACT_LOG_FIELDS(STATCORE_WIRE_PUBLIC)
  }
};

// The text does not follow the wire order, and only its last label has a blank after the colon.
template <> struct Layout<TEventDataUpdateContactLog> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_EVENT_DATA_UPDATE_CONTACT_LOG_FIELDS(STATCORE_WIRE_PUBLIC)
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("RecordK", r.RecordKey),
      Show("CID", r.ContactID),
      Show("AK", r.AgentKey),
      Show(MEMBER(Requeued)),
      Show("CT", r.ContactType),
      Show(MEMBER(Contact)).Colon(": "));
  }
};

template <> struct Layout<TQueryContactLogDataEvent> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    TST_QUERY_CONTACT_LOG_DATA_EVENT_FIELDS(STATCORE_WIRE_PUBLIC, STATCORE_WIRE_LIST)
  }
};

} // namespace statcore

TContactLogStatistics::~TContactLogStatistics() = default;
TEventDataContactLog::~TEventDataContactLog() = default;
TEventDataUpdateContactLog::~TEventDataUpdateContactLog() = default;
TQueryContactLogDataEvent::~TQueryContactLogDataEvent() = default;

std::string TEventDataUpdateContactLog::ToString() const { return statcore::RenderLine(*this); }

STATCORE_DEFINE_SIZE(TEventDataContactLog)
STATCORE_DEFINE_SIZE(TEventDataUpdateContactLog)
STATCORE_DEFINE_RECORD_OPERATORS(TContactLogStatistics)
STATCORE_DEFINE_RECORD_OPERATORS(TEventDataContactLog)
STATCORE_DEFINE_RECORD_OPERATORS(TEventDataUpdateContactLog)
STATCORE_DEFINE_RECORD_OPERATORS(TQueryContactLogDataEvent)
STATCORE_DEFINE_WALK(TContactLogStatistics)
STATCORE_DEFINE_WALK(TEventDataContactLog)
STATCORE_DEFINE_WALK(TEventDataUpdateContactLog)
STATCORE_DEFINE_WALK(TQueryContactLogDataEvent)
