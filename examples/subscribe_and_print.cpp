// Subscribes to one family of statistics events, the group real-time event, and prints the
// records of the first few events that arrive.
#include <chrono>
#include <cstdio>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

int main() {
  // A Statistics Server in this process, ticking every 100 ms. An application talking to a
  // real server leaves this line out.
  statsim::Simulator simulator("StatisticsServer");
  simulator.Start(std::chrono::milliseconds(100));

  // The proxy: the server's name, then this client's name and second name.
  AStatisticsServer proxy("StatisticsServer", "ExampleClient", "ExampleTask");

  // First tie the proxy's event queue to the event id, then ask the server to send it.
  TEvent registration(TStatisticsServer::GROUPREALTIMEEVENT);
  if (!proxy.RegisterForEvent(registration, "StatisticsServer", 5000, 0)) {
    std::printf("no server: %s\n", ResultCodeText(TBase::fwBaseGetLastError()).c_str());
    return 1;
  }
  const unsigned short rc = proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  if (rc != 0) {
    std::printf("RequestEvent failed: %s\n", ResultCodeText(rc).c_str());
    return 1;
  }

  for (int received = 0; received < 3;) {
    TEvent event;
    if (!proxy.WaitForEvent(event, 1000)) // milliseconds; false when nothing came in time
      continue;
    // The payload is a packed TGroupRealTimeEvent: unpack it from a pack laid over the bytes.
    // The event owns its records and releases them when it goes out of scope.
    TGroupRealTimeEvent groups;
    TPack pack(event.GetData(), event.GetDataSize());
    pack >> groups;
    for (TEventDataGroupRealTime *group : groups.EventDataList)
      std::printf("group %ld: %s\n", group->VG, group->ToString().c_str());
    ++received;
  }
  return 0;
}
