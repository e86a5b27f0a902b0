// Starts a Statistics Server in this process, subscribes to GROUPREALTIMEEVENT through the
// proxy and prints what the server received and the subscription's result code.
#include <cstdio>

#include <statclient/statclient.h>

int main() {
  const char *const serverName = "StatisticsServer";

  TFramework::BindServer(serverName, [](const TRpcRequest &request) {
    TPack pack(const_cast<unsigned char *>(request.data.data()),
               static_cast<unsigned long>(request.data.size()));
    TMsgRequestHdr header;
    int eventId = 0;
    std::string client;
    pack >> header >> eventId >> client;
    std::printf(
        "server: request from \"%s\": object %u, version %u, event %d (%s), client "
        "\"%s\"\n",
        request.source.c_str(), unsigned{header.GetObject()}, unsigned{header.GetVersion()},
        eventId,
        TStatisticsServer::ToString(static_cast<TStatisticsServer::enSvrPublicEvents>(eventId))
            .c_str(),
        client.c_str());
    return TRpcReply{};
  });

  AStatisticsServer proxy(serverName, "DemoClient", "DemoClientTask");
  const unsigned short rc = proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  std::printf("client: RequestEvent(GROUPREALTIMEEVENT) returned %u\n", unsigned{rc});

  TFramework::UnbindServer(serverName);
  const unsigned short unbound = proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  std::printf("client: with no server bound it returns %u\n", unsigned{unbound});
  return rc == 0 ? 0 : 1;
}
