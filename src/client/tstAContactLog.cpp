#include "client/tstAContactLog.h"

#include "client/RequestCall.h"

namespace {

const char kSource[] = "tstAContactLog";

} // namespace

AContactLog::AContactLog() = default;

AContactLog::AContactLog(const AContactLog &other) : TEventDataContactLog(), AStatisticsServer() {
  *this = other;
}

AContactLog &AContactLog::operator=(const AContactLog &other) {
  TEventDataContactLog::operator=(other);
  return *this;
}

AContactLog::~AContactLog() = default;

unsigned short AContactLog::QueryContactLogSummary() {
  return Traced("AContactLog::QueryContactLogSummary", CONTACTLOG_QUERY, statcore::kNoReply);
}

unsigned short AContactLog::UpdateContactLogSummary() {
  return Traced("AContactLog::UpdateActivityLog", CONTACTLOG_UPDATE, statcore::kReplyWanted);
}

unsigned short AContactLog::DeleteContactLogSummary(enContactLogActions action) {
  return Traced("AContactLog::DeleteActivityLog", action, statcore::kReplyWanted);
}

unsigned short AContactLog::Traced(const char *entry, enContactLogActions action,
                                   unsigned char replyFlag) {
  Diag(TDiag::FENX, __LINE__, kSource, "%s: Start.", entry);
  long value = 0;
  const unsigned short result = SendRequest(action, &value, replyFlag);
  Diag(TDiag::FENX, __LINE__, kSource, "%s: End.", entry);
  return result;
}

unsigned short AContactLog::SendRequest(enContactLogActions action, long *value,
                                        unsigned char replyFlag) {
  TEventDataUpdateContactLog update;
  *value = 0;
  const TEventDataContactLog &entry = *this;
  const bool isUpdate = action == CONTACTLOG_UPDATE;
  if (isUpdate) {
    update.ContactType = ContactType;
    update.AgentKey = static_cast<int>(AgentKey);
    update.RecordKey = static_cast<int>(RecordKey);
    update.Requeued = Requeued;
    update.ContactID = ContactID;
    update.Contact = Contact;
  }
  const statcore::RequestPlan plan{kSource,
                                   "AContactLog::SendRequest",
                                   statcore::kContactLogObject,
                                   static_cast<unsigned short>(action),
                                   false,
                                   replyFlag,
                                   true};
  return statcore::CallServer(
      *this, plan,
      [action](const TMsgRequestHdr &header) {
        Diag(TDiag::INFO, __LINE__, kSource,
             "AContactLog::SendRequest: Sending request - Object = %d, Action = %d",
             static_cast<int>(header.GetObject()), static_cast<int>(action));
      },
      [&](TPack &body) {
        if (isUpdate)
          body << update;
        else
          body << entry;
      },
      [&](TRequestEnvelope &request) { return GetMessageReply(action, request.Call(), value); });
}

unsigned short AContactLog::GetMessageReply(enContactLogActions action, const TRPC &rpc,
                                            long *value) {
  try {
    TPack in(const_cast<void *>(rpc.GetReplyPointer()), rpc.GetReplySize());
    if (action == CONTACTLOG_UPDATE)
      in >> RecordKey;
    TMsgReplyHdr header;
    in >> header;
    *value = header.GetReturnValue();
    return header.GetReturnCode();
  } catch (...) {
    Diag(TDiag::SEVR, __LINE__, kSource,
         "AContactLog::GetMessageReply: Failed to unpack response from Statistics server");
    return TRequestEnvelope::kBadReply;
  }
}
