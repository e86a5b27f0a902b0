// Uses the installed package through the umbrella header only: a subscription through a bound
// server must succeed.
#include <statclient/statclient.h>

#include <cstdio>

int main() {
  TFramework::BindServer("ConsumerServer", [](const TRpcRequest&) { return TRpcReply{}; });
  AStatisticsServer proxy("ConsumerServer", "consumer", "consumer-task");
  const unsigned short rc = proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  TFramework::UnbindServer("ConsumerServer");
  std::printf("consumer: RequestEvent returned %u\n", unsigned{rc});
  return rc == 0 ? 0 : 1;
}
