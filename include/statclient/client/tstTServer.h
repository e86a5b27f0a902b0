// TStatisticsServer: the client name and the public event ids of the Statistics Server.
//
// Constructing and destroying one writes an INFO line; copying writes none. Assignment copies
// the client name only: the framework part of an object is never copied.
#ifndef STATCLIENT_CLIENT_TSTTSERVER_H_
#define STATCLIENT_CLIENT_TSTTSERVER_H_

#include <string>

#include "genericserver/TKIVOServerBase.h"

class TStatisticsServer : public TKIVOServerBase {
public:
  enum enSvrPublicEvents : int {
    CONNECTIONEVENT = 5000,
    CONTACTDETAILEVENT = 5001,
    TABLEMANAGEMENTBEGINEVENT = 5002,
    TABLEMANAGEMENTCOMPLETEEVENT = 5003,
    USERREALTIMEEVENT = 5004,
    QUEUEREALTIMEEVENT = 5005,
    GROUPREALTIMEEVENT = 5006,
    CONTACTREALTIMEEVENT = 5007,
    CALLBACKREALTIMEEVENT = 5008,
    REFRESHCOMPLETEREALTIMEEVENT = 5009,
    USERCUMULATIVEEVENT = 5010,
    QUEUECUMULATIVEEVENT = 5011,
    GROUPCUMULATIVEEVENT = 5012,
    CALLBACKCUMULATIVEEVENT = 5013,
    DNISCUMULATIVEEVENT = 5014,
    WRAPUPREASONCUMULATIVEEVENT = 5015,
    USERSTATEREASONCUMULATIVEEVENT = 5016,
    USERPOSTPROCESSINGCUMULATIVEEVENT = 5017,
    REFRESHCOMPLETECUMULATIVEEVENT = 5018,
    CONTACTLOGSUMMARYEVENT = 5019,
    UPDATECONTACTLOGSUMMARYEVENT = 5020,
    WORKFLOWCUMULATIVEEVENT = 5021,
    CALLDIRECTORCOMPONENTCUMULATIVEEVENT = 5022,
  };

  // The refresh rate of cumulative events; its values are the server's, passed through as int32.
  enum enCumulativeRefreshRate : int {};

  TStatisticsServer();
  // `clientName` names this client to the framework and in every subscription.
  TStatisticsServer(const std::string &clientName, const std::string &secondName,
                    unsigned short count);
  TStatisticsServer(const TStatisticsServer &other);
  TStatisticsServer &operator=(const TStatisticsServer &other);
  ~TStatisticsServer() override;

  // The name of a public event id; "UNKNOWN" outside 5000..5022.
  static std::string ToString(const enSvrPublicEvents &id);

  const std::string &GetClientName() const { return clientName_; }

protected:
  std::string clientName_;
};

#endif // STATCLIENT_CLIENT_TSTTSERVER_H_
