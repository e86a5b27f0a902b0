// An application of the library in a process of its own, for the multi-process test: it talks
// to a statsim daemon at the endpoint given, with nothing but the library's request classes.
//
// Each round it asks for the user real-time event with logged-off users (every round, since a
// restarted server starts with no subscriptions), writes an error record, queries a contact's
// details synchronously, and reads the events that came. A pause of over half a second in the
// events is an outage of the server. It stops once requests and events have worked for a while
// after an outage and after the last failed request, or after 25 seconds.
//
// Says on stderr when the first event has come. Prints one summary line, and exits 0 only when
// every request ended with 0 or a documented transport code (32771, 32772), every reply and event
// decoded, no event came twice, and requests and events both worked again after an outage.
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
  // Each user real-time event of one server run is unique: every user's presence time grows by
  // a step unless the user changed state. A restarted server counts its steps from the start
  // again, so its events are only compared with those of the same run.
  std::set<std::string> seen;
  std::optional<Clock::time_point> lastEvent; // the wait for the first one is no pause
  int duplicates = 0, undecodable = 0, wrongReplies = 0, outages = 0;
  int roundsAfter = 0, eventsAfter = 0, events = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(25);
  while (Clock::now() < deadline && !(outages > 0 && roundsAfter >= 50 && eventsAfter >= 20)) {
    AErrorRecord error;
    error.SetModuleName("statistics_client");
    error.SetErrorText("round");
    AContactDetail detail;
    detail.SetContactFrom("555-0100");
    detail.SetAsynchronousEvent(0);
    const unsigned short results[] = {proxy.RequestEvent(TStatisticsServer::USERREALTIMEEVENT),
                                      error.WriteRecord(), detail.QueryContactDetail()};
    bool failed = false;
    for (unsigned short rc : results) {
      ++codes[rc];
      failed = failed || rc != 0;
    }
    if (results[2] == 0 && detail.GetDescription() != "simulated contact")
      ++wrongReplies;
    if (failed)
      roundsAfter = eventsAfter = 0;
    else
      ++roundsAfter;

    TEvent event;
    while (proxy.WaitForEvent(event, 0)) {
      const auto now = Clock::now();
      if (lastEvent && now - *lastEvent > std::chrono::milliseconds(500)) {
        ++outages;
        roundsAfter = eventsAfter = 0;
        seen.clear();
      }
      lastEvent = now;
      const auto *data = static_cast<const char *>(event.GetData());
      if (!seen.insert(std::string(data, data + event.GetDataSize())).second)
        ++duplicates;
      if (++events == 1)
        std::cerr << "statistics_client: receiving events" << std::endl;
      try {
        TUserRealTimeEvent users;
        TPack pack(event.GetData(), event.GetDataSize());
        pack >> users;
        if (users.EventDataList.size() != 6)
          ++undecodable;
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
            << " undecodable=" << undecodable << " wrong_replies=" << wrongReplies
            << " rounds_after=" << roundsAfter << " events_after=" << eventsAfter << std::endl;
  const bool recovered = outages > 0 && roundsAfter >= 50 && eventsAfter >= 20;
  return documented && recovered && duplicates == 0 && undecodable == 0 && wrongReplies == 0 ? 0
                                                                                             : 1;
}
