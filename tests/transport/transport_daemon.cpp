// A server process for the multi-process transport test: serves "StatisticsServer" at the
// endpoint given, answers each call with its own data after a short pause, and publishes event
// 1 every few milliseconds (payload: this process's id and a counter) until SIGINT or SIGTERM.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <thread>

#include "framework/TFramework.h"

namespace {

volatile std::sig_atomic_t stopping = 0;

void Stop(int) { stopping = 1; }

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: transport_daemon ENDPOINT\n";
    return 2;
  }
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);
  TFramework::BindServer("StatisticsServer", [](const TRpcRequest &request) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return TRpcReply{true, 0, request.type, request.data};
  });
  std::cout << TFramework::ListenServer("StatisticsServer", argv[1]) << std::endl;

  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  for (std::uint64_t counter = 0; !stopping; ++counter) {
    std::vector<unsigned char> payload(sizeof pid + sizeof counter);
    std::memcpy(payload.data(), &pid, sizeof pid);
    std::memcpy(payload.data() + sizeof pid, &counter, sizeof counter);
    TFramework::PublishEvent("StatisticsServer", TEvent(1, payload));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return 0;
}
