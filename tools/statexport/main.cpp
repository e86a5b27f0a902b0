// statexport: subscribes to every statistics event the way an application does and serves the
// latest figures on one HTTP port: Prometheus metrics at /metrics and a live wallboard page at
// /. By default it watches an embedded simulator started in this process.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <CLI/CLI.hpp>

#include <statsim/ServerConnection.h>

#include "statexport/ExportState.h"
#include "statexport/HttpServer.h"
#include "statexport/ServerFeed.h"

namespace {

enum ExitCode { kOk = 0, kUsage = 1, kUnavailable = 2, kOutput = 3 };

const char kExitCodes[] =
    "Exit codes:\n"
    "  0  ended by SIGINT or SIGTERM\n"
    "  1  bad command line (bad option, a number out of its range, a --listen that is not\n"
    "     HOST:PORT, an endpoint --connect cannot use)\n"
    "  2  cannot listen at --listen (the port is in use, or the address is not this host's),\n"
    "     or no server: none answered within 2 s at --connect, none is named --server\n"
    "  3  the start line could not be written to stderr";

// How long a server has to answer at start; the library's own requests would wait 480 s for one
// in another process that is not there.
constexpr std::chrono::seconds kReachableWithin{2};
// How long the subscriptions of a server that answers may take.
constexpr std::chrono::seconds kSubscribedWithin{5};
constexpr std::chrono::milliseconds kSuperviseEvery{50};
constexpr std::chrono::seconds kExpireEvery{1};
constexpr std::chrono::seconds kStopWithin{1};

std::atomic<bool> interrupted{false};

struct Options {
  std::optional<std::string> server;
  std::optional<std::string> connect;
  std::string listen = "127.0.0.1:9464";
  std::optional<int> refreshRate;
  bool perUser = false;
  bool perUserDetail = false;
  int tickMs = 200;
  std::uint32_t seed = 1;
  int expiryPeriods = 5;
};

struct ListenAddress {
  std::string host;
  int port = 0;
};

// HOST:PORT with a port from 0 to 65535; nothing when `text` is not that.
std::optional<ListenAddress> ParseListen(const std::string &text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0)
    return std::nullopt;
  const std::string host = text.substr(0, colon);
  const std::string port = text.substr(colon + 1);
  if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int number = std::stoi(port);
  if (number > 65535)
    return std::nullopt;
  return ListenAddress{host, number};
}

// Checks that an option's value converts to T and lies from `low` to `high`; `expected` says
// what that is, in the help and in the refusal.
template <typename T> CLI::Validator Within(T low, T high, const std::string &expected) {
  return CLI::Validator(
      [=](std::string &input) {
        T value{};
        const bool within =
            CLI::detail::lexical_cast(input, value) && value >= low && value <= high;
        return within ? std::string() : input + " is not " + expected;
      },
      expected);
}

// Ends the feed's thread; one stuck in a request to a server that is away is not waited for,
// and with it the process ends at once.
int Finish(statexport::ServerFeed &feed, int code) {
  if (!feed.Stop(kStopWithin)) {
    std::fflush(nullptr);
    std::_Exit(code);
  }
  return code;
}

int Serve(const Options &options, const ListenAddress &listen) {
  statexport::ExportState state(
      statexport::ExportOptions{options.perUser, options.expiryPeriods, options.perUserDetail});
  std::unique_ptr<statexport::HttpServer> http;
  try {
    http = std::make_unique<statexport::HttpServer>(state, listen.host, listen.port);
  } catch (const statexport::ListenError &error) {
    std::cerr << "statexport: " << error.what() << "\n";
    return kUnavailable;
  }

  std::unique_ptr<statsim::ServerConnection> connection;
  try {
    connection = statsim::OpenServer(
        {options.connect, options.server, std::chrono::milliseconds(options.tickMs), options.seed},
        kReachableWithin);
  } catch (const statsim::ServerChoiceError &error) {
    std::cerr << "statexport: " << error.what() << "\n";
    return error.BadEndpoint() ? kUsage : kUnavailable;
  }

  statexport::ServerFeed feed(state, connection->ServerName(), options.refreshRate);
  if (const std::string failure = feed.Start(kSubscribedWithin); !failure.empty()) {
    std::cerr << "statexport: " << failure
              << (options.connect ? " at " + *options.connect : std::string()) << "\n";
    return Finish(feed, kUnavailable);
  }
  if (std::fprintf(stderr, "statexport: serving http://%s:%d/ (metrics at /metrics)\n",
                   listen.host.c_str(), http->Port()) < 0)
    return Finish(feed, kOutput);

  auto nextExpiry = statexport::Clock::now() + kExpireEvery;
  while (!interrupted) {
    std::this_thread::sleep_for(kSuperviseEvery);
    const auto now = statexport::Clock::now();
    if (feed.Supervise(now))
      http->Notify();
    if (now >= nextExpiry) {
      state.Expire(now);
      nextExpiry = now + kExpireEvery;
    }
  }
  http.reset();
  return Finish(feed, kOk);
}

} // namespace

int main(int argc, char **argv) {
  Options options;
  CLI::App app{"Subscribes to every statistics event and serves the latest figures over HTTP: "
               "Prometheus metrics at /metrics, a live wallboard page at /, its JSON at "
               "/api/wallboard and /events. Without --server or --connect it watches a "
               "simulator started in this process."};
  app.footer(kExitCodes);
  app.add_option("--server", options.server,
                 "Watch the server bound under this name instead of starting the simulator")
      ->type_name("NAME");
  app.add_option(
         "--connect", options.connect,
         "Watch the server another process serves at this endpoint (tcp://HOST:PORT or "
         "ipc://PATH), under the --server name or \"StatisticsServer\"; its events are asked "
         "for again after 2 s without any")
      ->type_name("ENDPOINT");
  app.add_option("--listen", options.listen,
                 "Serve HTTP at this IPv4 address or host name and port; port 0 takes a free one, "
                 "named in the start line")
      ->type_name("HOST:PORT")
      ->capture_default_str()
      ->check(CLI::Validator(
          [](std::string &input) {
            return ParseListen(input) ? std::string()
                                      : input + " is not HOST:PORT with a port from 0 to 65535";
          },
          ""));
  app.add_option("--refresh-rate", options.refreshRate,
                 "Cumulative refresh rate asked for every cumulative event (the embedded "
                 "simulator counts it in ticks)")
      ->check(Within(1, 2147483647, "a whole number from 1 to 2147483647"));
  auto *perUser =
      app.add_flag("--per-user", options.perUser,
                   "A series per user; otherwise users are counted by routing state per group");
  app.add_flag("--per-user-detail", options.perUserDetail,
               "With --per-user, also each user's details (capacities, shift figures per medium, "
               "handling-state times): about four times the series")
      ->needs(perUser);
  app.add_option("--tick-ms", options.tickMs, "Embedded simulator: milliseconds per tick")
      ->capture_default_str()
      ->check(Within(1, 60000, "a whole number from 1 to 60000"));
  app.add_option("--seed", options.seed, "Embedded simulator: seed of its model")
      ->capture_default_str()
      ->check(Within<std::uint32_t>(0, 4294967295u, "a whole number from 0 to 4294967295"));
  app.add_option("--expiry-periods", options.expiryPeriods,
                 "Drop an entity after this many periods of its event without it")
      ->capture_default_str()
      ->check(Within(1, 1000000, "a whole number from 1 to 1000000"));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    return app.exit(error) == 0 ? kOk : kUsage;
  }
  const std::optional<ListenAddress> listen = ParseListen(options.listen);
  // The first interrupt ends the daemon; a second ends it even while a request waits for a
  // server that is away.
  for (int signal : {SIGINT, SIGTERM})
    std::signal(signal, [](int received) {
      interrupted = true;
      std::signal(received, SIG_DFL);
    });
  // A client that closes its connection must fail the write, not end the daemon.
  std::signal(SIGPIPE, SIG_IGN);
  return Serve(options, *listen);
}
