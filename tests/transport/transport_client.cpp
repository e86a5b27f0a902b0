// A client process for the multi-process transport test. Connects to "StatisticsServer" at the
// endpoint given, watches event 1 and calls in a loop. It stops once it has seen the server go
// away and come back and then worked for a while, or after ten seconds. Prints one summary line
// and exits 0 only when every failure was a documented one (32771, 32772), no event came twice,
// and calls and events both worked again after the last failure.
#include <chrono>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <thread>
#include <utility>

#include "framework/TFramework.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: transport_client ENDPOINT\n";
    return 2;
  }
  using Clock = std::chrono::steady_clock;
  TFramework::ConnectServer("StatisticsServer", argv[1]);
  TFramework self("transport_client", "", 0);
  TEvent watched(1);
  self.RegisterForEvent(watched, "StatisticsServer", self.GetReplyQueue(), self.GetEventQueue(),
                        1000, 0);

  std::map<unsigned long, int> failures;
  std::set<std::pair<std::uint32_t, std::uint64_t>> seen;
  int duplicates = 0, callsSinceFailure = 0, eventsSinceFailure = 0, wrongReplies = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  for (unsigned short round = 0; Clock::now() < deadline; ++round) {
    unsigned char data[] = {static_cast<unsigned char>(round)};
    TRPC rpc(round, data, sizeof data, 1);
    if (self.SendRPC(rpc, "StatisticsServer", self.GetReplyQueue(), 200, 0)) {
      ++callsSinceFailure;
      if (rpc.GetReturnCode() != round || rpc.GetReplySize() != 1)
        ++wrongReplies;
    } else {
      ++failures[TBase::fwBaseGetLastError()];
      callsSinceFailure = eventsSinceFailure = 0;
    }
    TEvent event;
    while (self.WaitForEvent(event, self.GetEventQueue(), 0)) {
      std::uint32_t pid = 0;
      std::uint64_t counter = 0;
      if (event.GetDataSize() != sizeof pid + sizeof counter)
        continue;
      std::memcpy(&pid, event.GetData(), sizeof pid);
      std::memcpy(&counter, static_cast<const unsigned char *>(event.GetData()) + sizeof pid,
                  sizeof counter);
      if (!seen.insert({pid, counter}).second)
        ++duplicates;
      ++eventsSinceFailure;
    }
    if (!failures.empty() && callsSinceFailure >= 50 && eventsSinceFailure >= 20)
      break;
  }

  bool documented = true;
  std::cout << "failures:";
  for (const auto &entry : failures) {
    std::cout << " " << entry.first << "x" << entry.second;
    documented = documented && (entry.first == TFramework::kErrNoServer ||
                                entry.first == TFramework::kErrTimeout);
  }
  std::cout << " events=" << seen.size() << " duplicates=" << duplicates
            << " wrong_replies=" << wrongReplies << " calls_after=" << callsSinceFailure
            << " events_after=" << eventsSinceFailure << std::endl;
  const bool recovered = !failures.empty() && callsSinceFailure >= 50 && eventsSinceFailure >= 20;
  return documented && recovered && duplicates == 0 && wrongReplies == 0 ? 0 : 1;
}
