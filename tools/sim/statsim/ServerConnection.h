// Where a tool finds its Statistics Server. The tool asks only for the name to subscribe
// at; how that server comes to exist (an embedded simulator, a server bound by someone else in
// this process, one served by another process) stays behind this class.
//
// The connection owns what it started: destroying it stops an embedded simulator. A connection
// is used by one thread at a time.
#ifndef STATCLIENT_TOOLS_SIM_STATSIM_SERVERCONNECTION_H_
#define STATCLIENT_TOOLS_SIM_STATSIM_SERVERCONNECTION_H_

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace statsim {

class ServerConnection {
public:
  virtual ~ServerConnection() = default;
  // The name that requests and event registrations go to.
  virtual const std::string &ServerName() const = 0;

  // Whether a server under ServerName() answers a call within `within`. The call is an empty
  // request, which a server refuses at its header (5001) without acting on it; any answer,
  // refusal or not, counts. Blocks for up to `within` when nobody answers (a server in this
  // process, or none bound here, answers or fails at once). Meant for start-up: the library's
  // own requests wait 480 s for a server that is not there, and a later restart of the server is
  // picked up without asking again.
  bool Reachable(std::chrono::milliseconds within) const;
};

// Starts a simulator under `name` that ticks every `tick` on its own thread.
std::unique_ptr<ServerConnection>
StartEmbeddedServer(const std::string &name, std::chrono::milliseconds tick, std::uint32_t seed);

// A server that someone else binds under `name`; nothing is started, and whether it exists is
// found out by the first registration.
std::unique_ptr<ServerConnection> UseNamedServer(const std::string &name);

// A server that another process serves under `name` at `endpoint` (tcp://HOST:PORT or
// ipc://PATH): this process's calls and subscriptions for `name` go there. Nothing is checked
// now: ask Reachable() before the first request, which otherwise waits out its 480 s time-out
// for a server that is not running.
std::unique_ptr<ServerConnection> ConnectToServer(const std::string &name,
                                                  const std::string &endpoint);

// The server a tool's command line names: --connect ENDPOINT (a server in another process),
// --server NAME (one bound under NAME by someone else), or neither (an embedded simulator
// ticking every `tick` from `seed`). The name subscribed at is `server`, else
// "StatisticsServer".
struct ServerChoice {
  std::optional<std::string> connect;
  std::optional<std::string> server;
  std::chrono::milliseconds tick;
  std::uint32_t seed;
};

// Why OpenServer gave no connection. what() is the message a tool prints after its own name;
// BadEndpoint() tells a malformed --connect (a usage error) from an endpoint where no server
// answered.
class ServerChoiceError : public std::runtime_error {
public:
  ServerChoiceError(const std::string &message, bool badEndpoint)
      : std::runtime_error(message), badEndpoint_(badEndpoint) {}
  bool BadEndpoint() const { return badEndpoint_; }

private:
  bool badEndpoint_;
};

// The connection `choice` names. An endpoint must answer within `within` (see Reachable), so
// that a tool pointed at nothing says so at once; throws ServerChoiceError otherwise.
std::unique_ptr<ServerConnection> OpenServer(const ServerChoice &choice,
                                             std::chrono::milliseconds within);

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_STATSIM_SERVERCONNECTION_H_
