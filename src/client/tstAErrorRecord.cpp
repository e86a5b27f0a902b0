#include "client/tstAErrorRecord.h"

#include "client/RequestCall.h"

namespace {

const char kSource[] = "tstAErrorRecord";

} // namespace

AErrorRecord::AErrorRecord() = default;

AErrorRecord::AErrorRecord(const AErrorRecord &other)
    : TErrorRecord(other), AStatisticsServer(other) {}

AErrorRecord &AErrorRecord::operator=(const AErrorRecord &other) {
  TErrorRecord::operator=(other);
  return *this;
}

AErrorRecord::~AErrorRecord() = default;

unsigned short AErrorRecord::WriteRecord() { return SendRequest(); }

unsigned short AErrorRecord::SendRequest() {
  const TErrorRecord &record = *this;
  const statcore::RequestPlan plan{kSource,
                                   "AErrorRecord::SendRequest",
                                   statcore::kErrorRecordObject,
                                   0,
                                   false,
                                   statcore::kReplyWanted,
                                   false};
  return statcore::CallServer(
      *this, plan,
      [](const TMsgRequestHdr &header) {
        Diag(TDiag::INFO, __LINE__, kSource,
             "AErrorRecord::SendRequest: Sending request - Object = %ld",
             static_cast<long>(header.GetObject()));
      },
      [&](TPack &body) { body << record; }, statcore::NoReplyBody);
}
