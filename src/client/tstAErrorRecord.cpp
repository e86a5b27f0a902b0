#include "client/tstAErrorRecord.h"

#include "client/tstRequestEnvelope.h"

namespace {

const char kSource[] = "tstAErrorRecord";

constexpr unsigned short kObjectErrorRecord = 1;
constexpr unsigned char kReplyWanted = 1;

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
  TRequestEnvelope request(kObjectErrorRecord, record.Size());
  Diag(TDiag::INFO, __LINE__, kSource, "AErrorRecord::SendRequest: Sending request - Object = %ld",
       static_cast<long>(request.Header().GetObject()));
  if (!request.Open(__LINE__, kSource))
    return TRequestEnvelope::kNoBuffer;
  request.Body() << record;

  const TRequestEnvelope::Outcome outcome = request.Send(*this, kReplyWanted);
  if (!outcome.delivered) {
    Diag(TDiag::INFO, __LINE__, kSource, "AErrorRecord::SendRequest: Error occured - rc = %ld",
         static_cast<long>(outcome.errorCode));
    return outcome.result;
  }
  return 0;
}
