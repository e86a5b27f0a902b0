// An application of the library in a process of its own, for the multi-process test: it talks
// to a statsim daemon at the endpoint given through the library's request classes alone. Each
// round it asks for the user real-time event (again every round: a restarted server has no
// subscriptions), writes an error record, queries a contact's details and reads the events that
// came; a pause of over half a second in the events is an outage. It stops once requests and
// events have worked for a while after an outage and after the last failed request, or after
// 25 seconds. Says "receiving events" on stderr at the first event, prints one summary line and
// exits 0 only when every request ended with 0 or a transport code (32771, 32772), every event
// decoded, none came twice, and requests and events both worked again after an outage.
#include <chrono>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include <statclient/statclient.h>

using Clock = std::chrono::steady_clock;

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: statistics_client ENDPOINT\n";
    return 2;
  }
  TFramework::ConnectServer("StatisticsServer", argv[1]);
  AStatisticsServer proxy("StatisticsServer", "MultiProcessClient", "Task");
  proxy.SetIncludeLoggedOffUsers(true);
  TEvent registration(TStatisticsServer::USERREALTIMEEVENT);
  if (!proxy.RegisterForEvent(registration, "StatisticsServer", 1000, 0)) {
    std::cout << "registration failed: " << TBase::fwBaseGetLastError() << std::endl;
    return 1;
  }

  std::map<unsigned short, int> codes;
  // Within one server run every user real-time event is unique (each user's presence time grows
  // unless the user changed state); a restarted server counts from the start again.
  std::set<std::string> seen;
  std::optional<Clock::time_point> lastEvent; // the wait for the first one is no pause
  int duplicates = 0, undecodable = 0, outages = 0, roundsAfter = 0, eventsAfter = 0;
  const auto recovered = [&] { return outages > 0 && roundsAfter >= 50 && eventsAfter >= 20; };
  const auto deadline = Clock::now() + std::chrono::seconds(25);
  while (Clock::now() < deadline && !recovered()) {
    AErrorRecord error;
    error.SetModuleName("statistics_client");
    AContactDetail detail;
    detail.SetContactFrom("555-0100");
    detail.SetAsynchronousEvent(0);
    bool failed = false;
    for (unsigned short rc : {proxy.RequestEvent(TStatisticsServer::USERREALTIMEEVENT),
                              error.WriteRecord(), detail.QueryContactDetail()}) {
      ++codes[rc];
      failed = failed || rc != 0;
    }
    roundsAfter = failed ? 0 : roundsAfter + 1;
    eventsAfter = failed ? 0 : eventsAfter;

    TEvent event;
    while (proxy.WaitForEvent(event, 0)) {
      const auto now = Clock::now();
      if (lastEvent && now - *lastEvent > std::chrono::milliseconds(500)) {
        ++outages;
        roundsAfter = eventsAfter = 0;
        seen.clear();
      }
      if (!lastEvent)
        std::cerr << "statistics_client: receiving events" << std::endl;
      lastEvent = now;
      const auto *data = static_cast<const char *>(event.GetData());
      duplicates += !seen.insert(std::string(data, data + event.GetDataSize())).second;
      try {
        TUserRealTimeEvent users;
        TPack pack(event.GetData(), event.GetDataSize());
        pack >> users;
        undecodable += users.EventDataList.size() != 6;
      } catch (const std::exception &) {
        ++undecodable;
      }
      ++eventsAfter;
    }
  }

  bool documented = true;
  std::cout << "codes:";
  for (const auto &[code, count] : codes) {
    std::cout << " " << code << "x" << count;
    documented = documented &&
                 (code == 0 || code == TFramework::kErrNoServer || code == TFramework::kErrTimeout);
  }
  std::cout << " outages=" << outages << " duplicates=" << duplicates
            << " undecodable=" << undecodable << " rounds_after=" << roundsAfter
            << " events_after=" << eventsAfter << std::endl;
  return documented && recovered() && duplicates == 0 && undecodable == 0 ? 0 : 1;
}
