#include "statsim/ServerConnection.h"

#include <statclient/statclient.h>

#include "statsim/Simulator.h"

namespace statsim {

namespace {

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

} // namespace statsim
