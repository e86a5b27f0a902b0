#include "client/tstAServer.h"

#include "client/RequestCall.h"

namespace {

const char kSource[] = "tstAServer";

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
  // Requests on other threads read the name without a lock: a name equal to the one held is
  // left as it is, so that proxies made with the same names may come while others are in use.
  if (serverName != server)
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
  const statcore::RequestPlan plan{kSource,
                                   "AStatisticsServer::RequestEvent",
                                   statcore::kRequestEventObject,
                                   0,
                                   false,
                                   statcore::kReplyWanted,
                                   false};
  return statcore::CallServer(
      *this, plan,
      [&](const TMsgRequestHdr &header) {
        Diag(TDiag::INFO, __LINE__, kSource,
             "AStatisticsServer::RequestEvent: Sending request - Object = %ld, EventType = %ld",
             static_cast<long>(header.GetObject()), static_cast<long>(eventId));
      },
      [&](TPack &body) {
        body << eventId << clientName_;
        if (withFlag)
          body << includeLoggedOffUsers_;
      },
      statcore::NoReplyBody);
}

unsigned short AStatisticsServer::SetCumulativeRefreshRate(enSvrPublicEvents id,
                                                           enCumulativeRefreshRate rate) {
  const int eventId = id;
  const int refreshRate = rate;
  const statcore::RequestPlan plan{kSource,
                                   "AStatisticsServer::SetCumulativeRefreshRate",
                                   statcore::kRefreshRateObject,
                                   0,
                                   false,
                                   statcore::kReplyWanted,
                                   false};
  return statcore::CallServer(
      *this, plan,
      [&](const TMsgRequestHdr &header) {
        Diag(TDiag::INFO, __LINE__, kSource,
             "AStatisticsServer::SetCumulativeRefreshRate: Sending request - Object = %ld, "
             "EventType = %ld, Rate = %ld",
             static_cast<long>(header.GetObject()), static_cast<long>(eventId),
             static_cast<long>(refreshRate));
      },
      [&](TPack &body) { body << eventId << refreshRate; }, statcore::NoReplyBody);
}
