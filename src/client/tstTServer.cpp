#include "client/tstTServer.h"

#include "framework/TDiag.h"

namespace {

const char kSource[] = "tstTServer";

// Names of the public event ids, from CONNECTIONEVENT on.
const char *const kEventNames[] = {
    "CONNECTIONEVENT",
    "CONTACTDETAILEVENT",
    "TABLEMANAGEMENTBEGINEVENT",
    "TABLEMANAGEMENTCOMPLETEEVENT",
    "USERREALTIMEEVENT",
    "QUEUEREALTIMEEVENT",
    "GROUPREALTIMEEVENT",
    "CONTACTREALTIMEEVENT",
    "CALLBACKREALTIMEEVENT",
    "REFRESHCOMPLETEREALTIMEEVENT",
    "USERCUMULATIVEEVENT",
    "QUEUECUMULATIVEEVENT",
    "GROUPCUMULATIVEEVENT",
    "CALLBACKCUMULATIVEEVENT",
    "DNISCUMULATIVEEVENT",
    "WRAPUPREASONCUMULATIVEEVENT",
    "USERSTATEREASONCUMULATIVEEVENT",
    "USERPOSTPROCESSINGCUMULATIVEEVENT",
    "REFRESHCOMPLETECUMULATIVEEVENT",
    "CONTACTLOGSUMMARYEVENT",
    "UPDATECONTACTLOGSUMMARYEVENT",
    "WORKFLOWCUMULATIVEEVENT",
    "CALLDIRECTORCOMPONENTCUMULATIVEEVENT",
};

constexpr int kProtocolVersion = 11;
constexpr int kProtocolRelease = 0;

} // namespace

TStatisticsServer::TStatisticsServer() : TKIVOServerBase(kProtocolVersion, kProtocolRelease) {
  Diag(TDiag::INFO, __LINE__, kSource, "TStatisticsServer::TStatisticsServer: Created object");
}

TStatisticsServer::TStatisticsServer(const std::string &clientName, const std::string &secondName,
                                     unsigned short count)
    : TKIVOServerBase(clientName.c_str(), secondName.c_str(), count, kProtocolVersion,
                      kProtocolRelease),
      clientName_(clientName) {
  Diag(TDiag::INFO, __LINE__, kSource, "TStatisticsServer::TStatisticsServer: Created object");
}

TStatisticsServer::TStatisticsServer(const TStatisticsServer &other)
    : TKIVOServerBase(kProtocolVersion, kProtocolRelease) {
  *this = other;
}

TStatisticsServer &TStatisticsServer::operator=(const TStatisticsServer &other) {
  clientName_ = other.clientName_;
  return *this;
}

TStatisticsServer::~TStatisticsServer() {
  Diag(TDiag::INFO, __LINE__, kSource, "TStatisticsServer::~TStatisticsServer: Destroyed object");
}

std::string TStatisticsServer::ToString(const enSvrPublicEvents &id) {
  const int first = CONNECTIONEVENT;
  const int count = static_cast<int>(sizeof kEventNames / sizeof kEventNames[0]);
  if (id < first || id >= first + count)
    return "UNKNOWN";
  return kEventNames[id - first];
}
