// An application of the library in a process of its own (multi-process test, soak) that talks to
// a statsim daemon through the library's request classes alone. Each round it asks for the user
// real-time event (again every round: a restarted server has no subscriptions), writes an error
// record, queries a contact named for the round and reads the events that came; a pause of over
// half a second in them is an outage. It stops once requests and events have worked for a while
// after an outage and the last failed request, or after 25 s; given SECONDS it runs that long, a
// round every 10 ms, and must be working at the end. Says "receiving events" on stderr at the
// first event, prints a summary and exits 0 only when every code was 0, 5715 (the library's
// 32771) or 32772, every query got its own contact back, and every event decoded and came once.
#include <chrono>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>

#include <statclient/statclient.h>

using Clock = std::chrono::steady_clock;

int main(int argc, char **argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: statistics_client ENDPOINT [SECONDS]\n";
    return 2;
  }
  const bool soak = argc == 3;
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
  long duplicates = 0, undecodable = 0, foreign = 0, outages = 0, roundsAfter = 0, eventsAfter = 0;
  long events = 0;
  const auto working = [&] { return roundsAfter >= 50 && eventsAfter >= 20 && (soak || outages); };
  const auto deadline = Clock::now() + std::chrono::seconds(soak ? std::stoi(argv[2]) : 25);
  for (long round = 0; Clock::now() < deadline && (soak || !working()); ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(soak ? 10 : 0));
    AErrorRecord error;
    error.SetModuleName("statistics_client");
    AContactDetail detail;
    const std::string contact = std::to_string(getpid()) + "-" + std::to_string(round);
    detail.SetContactFrom(contact);
    detail.SetAsynchronousEvent(0);
    bool failed = false;
    const unsigned short rcs[] = {proxy.RequestEvent(TStatisticsServer::USERREALTIMEEVENT),
                                  error.WriteRecord(), detail.QueryContactDetail()};
    for (unsigned short rc : rcs) {
      ++codes[rc];
      failed = failed || rc != 0;
    }
    // The server sends the queried contact back, described.
    foreign += rcs[2] == 0 && (detail.GetContactFrom() != contact ||
                               detail.GetDescription() != "simulated contact");
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
      ++events;
    }
  }

  bool documented = true;
  std::cout << "codes:";
  for (const auto &[code, count] : codes) {
    std::cout << " " << code << "x" << count;
    documented = documented && (code == 0 || code == 5715 || code == TFramework::kErrTimeout);
  }
  std::cout << " events=" << events << " outages=" << outages << " duplicates=" << duplicates
            << " foreign_replies=" << foreign << " undecodable=" << undecodable
            << " rounds_after=" << roundsAfter << " events_after=" << eventsAfter << std::endl;
  return documented && duplicates + foreign + undecodable == 0 && working() ? 0 : 1;
}
