#include "tstTEventDataContactLog.h"

#include <sstream>

TContactLogStatistics::~TContactLogStatistics() = default;
TEventDataContactLog::~TEventDataContactLog() = default;
TEventDataUpdateContactLog::~TEventDataUpdateContactLog() = default;
TQueryContactLogDataEvent::~TQueryContactLogDataEvent() = default;

TST_DEFINE_WIRE_SIZE(TEventDataContactLog)
TST_DEFINE_WIRE_SIZE(TEventDataUpdateContactLog)
TST_DEFINE_WIRE_OPERATORS(TContactLogStatistics)
TST_DEFINE_WIRE_OPERATORS(TEventDataContactLog)
TST_DEFINE_WIRE_OPERATORS(TEventDataUpdateContactLog)
TST_DEFINE_WIRE_OPERATORS(TQueryContactLogDataEvent)

std::string TEventDataUpdateContactLog::ToString() const {
  std::stringstream text;
  text << "{RecordK:" << RecordKey << ", CID:" << ContactID << ", AK:" << AgentKey
       << ", Requeued:" << Requeued << ", CT:" << ContactType << ", Contact: " << Contact << "}";
  return text.str();
}
