// AStatisticsServer: the application's proxy for the Statistics Server.
//
// The three-name constructor sets the process-wide server name that every proxy and every
// request object sends to; the default constructor leaves it as it is. The static name is not
// synchronised: set it before requests are made. Requests block the calling thread for up to
// 480000 ms and return a result code (0 on success; ResultCodeText, tstResultCodeText.h, puts
// each in words). An exception raised while packing a request body passes to the caller.
#ifndef STATCLIENT_CLIENT_TSTASERVER_H_
#define STATCLIENT_CLIENT_TSTASERVER_H_

#include <string>

#include "client/tstTServer.h"
#include "framework/TDiag.h"

class AStatisticsServer : public TStatisticsServer {
public:
  AStatisticsServer();
  AStatisticsServer(const std::string &serverName, const std::string &clientName,
                    const std::string &secondName);
  AStatisticsServer(const AStatisticsServer &other);
  AStatisticsServer &operator=(const AStatisticsServer &other);
  ~AStatisticsServer() override;

  static const std::string &GetStatsServerName();

  // Starts sending the public event `id` to this client (object 4).
  virtual unsigned short RequestEvent(enSvrPublicEvents id);
  // Whether a USERREALTIMEEVENT subscription asks for logged-off users too.
  virtual void SetIncludeLoggedOffUsers(bool include);
  virtual bool GetIncludeLoggedOffUsers() const;
  // Sets the refresh rate of the cumulative event `id` (object 5).
  virtual unsigned short SetCumulativeRefreshRate(enSvrPublicEvents id,
                                                  enCumulativeRefreshRate rate);

  static std::string serverName;
  static TVersionDiagHelper diagHelper;

private:
  bool includeLoggedOffUsers_ = false;
};

#endif // STATCLIENT_CLIENT_TSTASERVER_H_
