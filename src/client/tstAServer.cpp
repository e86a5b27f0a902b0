#include "client/tstAServer.h"

#include "client/tstRequestEnvelope.h"

namespace {

const char kSource[] = "tstAServer";

constexpr unsigned short kObjectRequestEvent = 4;
constexpr unsigned short kObjectRefreshRate = 5;
constexpr unsigned char kReplyWanted = 1;

} // namespace

std::string AStatisticsServer::serverName;
TVersionDiagHelper AStatisticsServer::diagHelper("Statistics Server Client version", "V11 R0.0.0");

AStatisticsServer::AStatisticsServer() {
  Diag(TDiag::INFO, __LINE__, kSource, "AStatisticsServer::AStatisticsServer: Created object");
}

AStatisticsServer::AStatisticsServer(const std::string &server, const std::string &clientName,
                                     const std::string &secondName)
    : TStatisticsServer(clientName, secondName, 1) {
  Diag(TDiag::INFO, __LINE__, kSource,
       "AStatisticsServer::AStatisticsServer: Constructed, server name = %s", server.c_str());
  serverName = server;
}

AStatisticsServer::AStatisticsServer(const AStatisticsServer &other)
    : TStatisticsServer(other), includeLoggedOffUsers_(other.includeLoggedOffUsers_) {}

AStatisticsServer &AStatisticsServer::operator=(const AStatisticsServer &other) {
  TStatisticsServer::operator=(other);
  includeLoggedOffUsers_ = other.includeLoggedOffUsers_;
  return *this;
}

AStatisticsServer::~AStatisticsServer() {
  Diag(TDiag::INFO, __LINE__, kSource, "AStatisticsServer::~AStatisticsServer: Destroyed object");
}

const std::string &AStatisticsServer::GetStatsServerName() { return serverName; }

void AStatisticsServer::SetIncludeLoggedOffUsers(bool include) { includeLoggedOffUsers_ = include; }

bool AStatisticsServer::GetIncludeLoggedOffUsers() const { return includeLoggedOffUsers_; }

unsigned short AStatisticsServer::RequestEvent(enSvrPublicEvents id) {
  const int eventId = id;
  const bool withFlag = id == USERREALTIMEEVENT;
  const unsigned long bodySize =
      withFlag ? TRequestEnvelope::ScratchSize(eventId, clientName_, includeLoggedOffUsers_)
               : TRequestEnvelope::ScratchSize(eventId, clientName_);

  TRequestEnvelope request(kObjectRequestEvent, bodySize);
  Diag(TDiag::INFO, __LINE__, kSource,
       "AStatisticsServer::RequestEvent: Sending request - Object = %ld, EventType = %ld",
       static_cast<long>(request.Header().GetObject()), static_cast<long>(eventId));
  if (!request.Open(__LINE__, kSource))
    return TRequestEnvelope::kNoBuffer;
  request.Body() << eventId << clientName_;
  if (withFlag)
    request.Body() << includeLoggedOffUsers_;

  const TRequestEnvelope::Outcome outcome = request.Send(*this, kReplyWanted);
  if (!outcome.delivered) {
    Diag(TDiag::INFO, __LINE__, kSource,
         "AStatisticsServer::RequestEvent: Error occured - rc = %ld",
         static_cast<long>(outcome.errorCode));
    return outcome.result;
  }
  return 0;
}

unsigned short AStatisticsServer::SetCumulativeRefreshRate(enSvrPublicEvents id,
                                                           enCumulativeRefreshRate rate) {
  const int eventId = id;
  const int refreshRate = rate;
  TRequestEnvelope request(kObjectRefreshRate, TRequestEnvelope::ScratchSize(eventId, refreshRate));
  Diag(TDiag::INFO, __LINE__, kSource,
       "AStatisticsServer::SetCumulativeRefreshRate: Sending request - Object = %ld, EventType = "
       "%ld, Rate = %ld",
       static_cast<long>(request.Header().GetObject()), static_cast<long>(eventId),
       static_cast<long>(refreshRate));
  if (!request.Open(__LINE__, kSource))
    return TRequestEnvelope::kNoBuffer;
  request.Body() << eventId << refreshRate;

  const TRequestEnvelope::Outcome outcome = request.Send(*this, kReplyWanted);
  if (!outcome.delivered) {
    Diag(TDiag::INFO, __LINE__, kSource,
         "AStatisticsServer::SetCumulativeRefreshRate: Error occured - rc = %ld",
         static_cast<long>(outcome.errorCode));
    return outcome.result;
  }
  return 0;
}
