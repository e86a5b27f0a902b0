// statwatch: subscribes to statistics events the way an application does and prints one line
// per record. By default it watches an embedded simulator started in this process.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>

#include <CLI/CLI.hpp>

#include <statclient/statclient.h>
#include <statsim/EventPublisher.h>
#include <statsim/ServerConnection.h>
#include <statsupport/EventTable.h>
#include <statsupport/PrintableName.h>
#include <statsupport/StandardOutput.h>

#include "RecordPrinter.h"

namespace {

enum ExitCode { kOk = 0, kUsage = 1, kServer = 2, kOutput = 3 };

const char kExitCodes[] = "Exit codes:\n"
                          "  0  watched until the duration or count was reached\n"
                          "  1  bad command line (unknown event name or id, bad option, a number\n"
                          "     out of its range, an endpoint --connect cannot use)\n"
                          "  2  the server is not reachable (with --connect: it did not answer\n"
                          "     within 2 s of starting) or refused a subscription\n"
                          "  3  standard output, a capture directory or a capture file could not\n"
                          "     be written";

// Checks that an option's value converts to T and lies from `low` to `high`; `expected` says
// what that is, in the help and in the refusal. CLI::Range alone would call text that is no
// number "not in range", print the bounds of a double to six decimals and let NaN through.
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

constexpr unsigned long kRequestTimeoutMs = 5000;
constexpr unsigned long kPollMs = 100;
// A server in another process that sent nothing for this long may have restarted, and a
// restarted server has no subscriptions: they are asked for again.
constexpr std::chrono::seconds kAskAgainAfter{2};
// How long a server in another process has to answer at start; the library's own requests would
// wait 480 s for one that is not there.
constexpr std::chrono::seconds kReachableWithin{2};

std::atomic<bool> interrupted{false};

struct Options {
  std::vector<std::string> events;
  std::optional<double> duration;
  std::optional<long> count;
  bool includeLoggedOff = false;
  std::optional<int> refreshRate;
  std::string format = "text";
  std::string captureDir;
  std::optional<std::string> server;
  std::optional<std::string> connect;
  int tickMs = 200;
  std::uint32_t seed = 1;
};

// The event ids named on the command line (all of the table when none), or an empty set after
// writing the unknown one to stderr.
std::set<int> ResolveEvents(const std::vector<std::string> &names) {
  std::set<int> ids;
  if (names.empty()) {
    for (auto entry = statsupport::begin(); entry != statsupport::end(); ++entry)
      ids.insert(entry->id);
    return ids;
  }
  for (const std::string &name : names) {
    const statsupport::EventEntry *entry = statsupport::FindByName(name);
    if (entry == nullptr && !name.empty() &&
        name.find_first_not_of("0123456789") == std::string::npos && name.size() < 9)
      entry = statsupport::FindById(std::stoi(name));
    if (entry == nullptr) {
      std::cerr << "statwatch: unknown event \"" << name
                << "\"; use an event name, class name or id from --list\n";
      return {};
    }
    ids.insert(entry->id);
  }
  return ids;
}

// Asks the server for every id (and its refresh rate); false after writing the failure to
// stderr.
bool RequestEvents(AStatisticsServer &proxy, const std::set<int> &ids, const Options &options) {
  for (int id : ids) {
    const auto eventId = static_cast<TStatisticsServer::enSvrPublicEvents>(id);
    if (const unsigned short rc = proxy.RequestEvent(eventId); rc != 0) {
      std::cerr << "statwatch: RequestEvent(" << TStatisticsServer::ToString(eventId)
                << ") failed: " << ResultCodeText(rc) << "\n";
      return false;
    }
    if (options.refreshRate && statsim::IsCumulative(id)) {
      const auto rate =
          static_cast<TStatisticsServer::enCumulativeRefreshRate>(*options.refreshRate);
      if (const unsigned short rc = proxy.SetCumulativeRefreshRate(eventId, rate); rc != 0) {
        std::cerr << "statwatch: SetCumulativeRefreshRate(" << TStatisticsServer::ToString(eventId)
                  << ") failed: " << ResultCodeText(rc) << "\n";
        return false;
      }
    }
  }
  return true;
}

// Registers for and requests every id; false after writing the failure to stderr.
bool Subscribe(AStatisticsServer &proxy, const std::string &serverName, const std::set<int> &ids,
               const Options &options) {
  for (int id : ids) {
    TEvent registration(static_cast<unsigned short>(id));
    if (!proxy.RegisterForEvent(registration, serverName.c_str(), kRequestTimeoutMs, 0)) {
      std::cerr << "statwatch: cannot reach a Statistics Server named \"" << serverName
                << "\": " << ResultCodeText(TBase::fwBaseGetLastError()) << "\n";
      return false;
    }
  }
  return RequestEvents(proxy, ids, options);
}

// Writes the payload to DIR/<sequence>-<event id>.bin; false after naming the file and the
// reason on stderr. The file is closed before this returns, so that a write the disk could not
// take (a full one, or /dev/full behind a link) fails here and not unseen later.
bool Capture(const std::string &dir, long sequence, const TEvent &event) {
  char name[32];
  std::snprintf(name, sizeof name, "%06ld-%d.bin", sequence, event.GetId());
  const std::string path = (std::filesystem::path(dir) / name).string();
  const std::vector<unsigned char> &bytes = event.Bytes();
  std::FILE *file = std::fopen(path.c_str(), "wb");
  bool written =
      file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int error = errno;
  if (file != nullptr && std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written)
    std::cerr << "statwatch: cannot write " << statsupport::PrintableName(path) << ": "
              << std::strerror(error) << "\n";
  return written;
}

int Watch(const Options &options, const std::set<int> &ids) {
  if (!options.captureDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.captureDir, error);
    if (error) {
      std::cerr << "statwatch: cannot create " << statsupport::PrintableName(options.captureDir)
                << ": " << error.message() << "\n";
      return kOutput;
    }
  }
  std::unique_ptr<statsim::ServerConnection> connection;
  try {
    connection = statsim::OpenServer(
        {options.connect, options.server, std::chrono::milliseconds(options.tickMs), options.seed},
        kReachableWithin);
  } catch (const statsim::ServerChoiceError &error) {
    std::cerr << "statwatch: " << error.what() << "\n";
    return error.BadEndpoint() ? kUsage : kServer;
  }
  AStatisticsServer proxy(connection->ServerName(), "statwatch", "statwatch");
  proxy.SetIncludeLoggedOffUsers(options.includeLoggedOff);
  if (!Subscribe(proxy, connection->ServerName(), ids, options))
    return kServer;

  const auto format = options.format == "json" ? statwatch::Format::Json : statwatch::Format::Text;
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  long events = 0;
  long records = 0;
  auto lastHeard = std::chrono::steady_clock::now();
  while (!interrupted && (!options.duration || elapsed() < *options.duration) &&
         (!options.count || events < *options.count)) {
    TEvent event;
    if (!proxy.WaitForEvent(event, kPollMs)) {
      // Waits for a server that is down; a failure is written and asked again later.
      if (options.connect && std::chrono::steady_clock::now() - lastHeard > kAskAgainAfter) {
        RequestEvents(proxy, ids, options);
        lastHeard = std::chrono::steady_clock::now();
      }
      continue;
    }
    lastHeard = std::chrono::steady_clock::now();
    ++events;
    if (!options.captureDir.empty() && !Capture(options.captureDir, events, event))
      return kOutput;
    try {
      for (const std::string &line : statwatch::RenderRecords(event, format, statwatch::UtcNow())) {
        std::cout << line << '\n';
        ++records;
      }
    } catch (const std::exception &error) {
      std::cerr << "statwatch: event " << event.GetId() << " did not decode at "
                << LastUnpackBreak() << ": " << error.what() << "\n";
    }
    if (!statsupport::FlushStandardOutput("statwatch"))
      return kOutput;
  }
  std::fprintf(stderr, "statwatch: %ld events, %ld records in %.1f s\n", events, records,
               elapsed());
  return kOk;
}

} // namespace

int main(int argc, char **argv) {
  Options options;
  bool list = false;
  CLI::App app{"Subscribes to statistics events and prints one line per record: time, event "
               "name, the record's text. Without --server it watches a simulator started in this "
               "process."};
  app.footer(kExitCodes);
  app.add_option("events", options.events,
                 "Events to watch: names (GROUPREALTIMEEVENT), class names or ids; default all");
  auto *duration =
      app.add_option("-d,--duration", options.duration, "Seconds to watch")
          ->check(Within(0.001, 31536000.0, "a number of seconds from 0.001 to 31536000 (a year)"));
  app.add_option("-n,--count", options.count, "Events to receive before stopping")
      ->check(Within(1L, 1000000000L, "a whole number from 1 to 1000000000"))
      ->excludes(duration);
  app.add_flag("--include-logged-off", options.includeLoggedOff,
               "Ask USERREALTIMEEVENT for logged-off users too");
  app.add_option("--refresh-rate", options.refreshRate,
                 "Cumulative refresh rate sent for every cumulative event watched (the embedded "
                 "simulator counts it in ticks)")
      ->check(Within(1, 2147483647, "a whole number from 1 to 2147483647"));
  app.add_option("--format", options.format, "Output format")
      ->check(CLI::IsMember({"text", "json"}));
  app.add_option("--capture", options.captureDir,
                 "Write every payload to DIR/<6-digit sequence>-<event id>.bin");
  app.add_option("--server", options.server,
                 "Watch the server bound under this name instead of starting the simulator");
  app.add_option(
      "--connect", options.connect,
      "Watch the server another process serves at this endpoint (tcp://HOST:PORT or "
      "ipc://PATH), under the --server name or \"StatisticsServer\"; it must answer within 2 s "
      "of starting, and its events are asked for again after 2 s without any");
  app.add_option("--tick-ms", options.tickMs, "Embedded simulator: milliseconds per tick")
      ->check(Within(1, 60000, "a whole number from 1 to 60000"));
  app.add_option("--seed", options.seed, "Embedded simulator: seed of its model")
      ->check(Within<std::uint32_t>(0, 4294967295u, "a whole number from 0 to 4294967295"));
  app.add_flag("--list", list, "List the event ids and names, then exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    return app.exit(error) == 0 ? kOk : kUsage;
  }
  if (list) {
    for (auto entry = statsupport::begin(); entry != statsupport::end(); ++entry)
      std::cout << entry->id << ' ' << entry->eventName << ' ' << entry->className << '\n';
    return statsupport::FlushStandardOutput("statwatch") ? kOk : kOutput;
  }
  const std::set<int> ids = ResolveEvents(options.events);
  if (ids.empty())
    return kUsage;
  // The first interrupt stops after the event in hand; a second ends a request that waits for a
  // server that is down.
  for (int signal : {SIGINT, SIGTERM})
    std::signal(signal, [](int received) {
      interrupted = true;
      std::signal(received, SIG_DFL);
    });
  return Watch(options, ids);
}
