#include "statsim/ServerConnection.h"

#include <algorithm>
#include <sstream>

#include <statclient/statclient.h>

#include "statsim/Simulator.h"

namespace statsim {

namespace {

// The type every request of the library is sent as.
constexpr unsigned short kRequestType = 5000;

class EmbeddedServer : public ServerConnection {
public:
  EmbeddedServer(const std::string &name, std::chrono::milliseconds tick, std::uint32_t seed)
      : simulator_(name, seed) {
    simulator_.Start(tick);
  }
  const std::string &ServerName() const override { return simulator_.ServerName(); }

private:
  statsim::Simulator simulator_;
};

class NamedServer : public ServerConnection {
public:
  explicit NamedServer(std::string name) : name_(std::move(name)) {}
  const std::string &ServerName() const override { return name_; }

private:
  std::string name_;
};

} // namespace

bool ServerConnection::Reachable(std::chrono::milliseconds within) const {
  TFramework caller;
  TRPC empty(kRequestType, nullptr, 0, 0);
  const auto timeoutMs = static_cast<unsigned long>(std::max<long long>(0, within.count()));
  if (caller.SendRPC(empty, ServerName().c_str(), timeoutMs, 0))
    return true;
  // A handler that threw, or marked the call undelivered, still belongs to a server that is there.
  const unsigned long error = TBase::fwBaseGetLastError();
  return error != TFramework::kErrNoServer && error != TFramework::kErrTimeout;
}

std::unique_ptr<ServerConnection>
StartEmbeddedServer(const std::string &name, std::chrono::milliseconds tick, std::uint32_t seed) {
  return std::make_unique<EmbeddedServer>(name, tick, seed);
}

std::unique_ptr<ServerConnection> UseNamedServer(const std::string &name) {
  return std::make_unique<NamedServer>(name);
}

std::unique_ptr<ServerConnection> ConnectToServer(const std::string &name,
                                                  const std::string &endpoint) {
  TFramework::ConnectServer(name, endpoint);
  return std::make_unique<NamedServer>(name);
}

std::unique_ptr<ServerConnection> OpenServer(const ServerChoice &choice,
                                             std::chrono::milliseconds within) {
  const std::string name = choice.server.value_or("StatisticsServer");
  if (!choice.connect)
    return choice.server ? UseNamedServer(name)
                         : StartEmbeddedServer(name, choice.tick, choice.seed);
  std::unique_ptr<ServerConnection> connection;
  try {
    connection = ConnectToServer(name, *choice.connect);
  } catch (const std::exception &error) {
    throw ServerChoiceError("--connect " + *choice.connect + ": " + error.what() +
                                " (expected tcp://HOST:PORT or ipc://PATH)",
                            true);
  }
  if (!connection->Reachable(within)) {
    std::ostringstream message;
    message << "no Statistics Server \"" << name << "\" answers at " << *choice.connect
            << " (waited " << std::chrono::duration<double>(within).count() << " s)";
    throw ServerChoiceError(message.str(), false);
  }
  return connection;
}

} // namespace statsim
