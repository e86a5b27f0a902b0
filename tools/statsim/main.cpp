// statsim: runs the Statistics Server simulator bound under a name, ticking at a real interval,
// until the duration passes or it is interrupted; then writes what it served on stderr.
//
// With --bind ENDPOINT (tcp://HOST:PORT or ipc://PATH) it serves other processes there, as a
// daemon until SIGINT or SIGTERM; clients learn where its events are from it.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <thread>

#include <CLI/CLI.hpp>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

namespace {
std::atomic<bool> interrupted{false};
}

int main(int argc, char **argv) {
  std::string name = "StatisticsServer";
  std::uint32_t seed = 1;
  int tickMs = 200;
  std::optional<double> duration;
  std::optional<std::string> bind;
  CLI::App app{"Runs the Statistics Server simulator under a server name."};
  app.footer("Exit codes:\n  0  ran until the duration passed or it was interrupted\n"
             "  1  bad command line\n"
             "  2  --bind failed: the endpoint or the server's event endpoint cannot be bound,\n"
             "     or the endpoint is neither tcp:// nor ipc://");
  app.add_option("--name", name, "Server name to bind");
  app.add_option("--seed", seed, "Seed of the contact-center model");
  app.add_option("--tick-ms", tickMs, "Milliseconds per tick")->check(CLI::Range(1, 60000));
  app.add_option("-d,--duration", duration, "Seconds to run; default until interrupted")
      ->check(CLI::PositiveNumber);
  app.add_option("--bind", bind,
                 "Serve other processes at this endpoint (tcp://HOST:PORT or ipc://PATH)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    return app.exit(error) == 0 ? 0 : 1;
  }
  std::signal(SIGINT, [](int) { interrupted = true; });
  std::signal(SIGTERM, [](int) { interrupted = true; });

  statsim::Simulator simulator(name, seed);
  if (bind) {
    try {
      const std::string bound = TFramework::ListenServer(name, *bind);
      std::fprintf(stderr, "statsim: listening at %s\n", bound.c_str());
    } catch (const std::exception &error) {
      std::fprintf(stderr, "statsim: %s\n", error.what());
      return 2;
    }
  }
  simulator.Start(std::chrono::milliseconds(tickMs));
  std::fprintf(stderr, "statsim: serving \"%s\", a tick every %d ms\n", name.c_str(), tickMs);
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  while (!interrupted && (!duration || elapsed() < *duration))
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  simulator.Stop();
  const long errorRecords =
      static_cast<long>(simulator.ErrorRecords().size()) + simulator.ErrorRecordsDropped();
  std::fprintf(stderr, "statsim: %ld error records, %ld contact-log updates in %.1f s\n",
               errorRecords, simulator.ContactLogUpdates(), elapsed());
  return 0;
}
