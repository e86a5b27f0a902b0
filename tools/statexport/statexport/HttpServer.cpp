#include "statexport/HttpServer.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <CivetServer.h>
#include <nlohmann/json.hpp>

#include "statexport/CoalescedBody.h"
#include "statexport/ExportState.h"
#include "statexport/TextExposition.h"
#include "statexport/WebFiles.h"

namespace statexport {

namespace {

// A little under a second, so that a stream delivers at least one message a second even when
// building one takes a while.
constexpr std::chrono::milliseconds kStreamPeriod{750};
// A few wallboard messages; the kernel doubles it.
constexpr int kSendBufferBytes = 64 * 1024;

struct PageRoute {
  std::string_view path;
  std::string_view file;
  const char *contentType;
};

constexpr PageRoute kPageRoutes[] = {
    {"/", "index.html", "text/html; charset=utf-8"},
    {"/app.js", "app.js", "text/javascript; charset=utf-8"},
    {"/style.css", "style.css", "text/css; charset=utf-8"},
};

const PageRoute *FindPageRoute(std::string_view path) {
  for (const PageRoute &route : kPageRoutes)
    if (route.path == path)
      return &route;
  return nullptr;
}

std::string_view WebFileBytes(std::string_view name) {
  for (std::size_t index = 0; index < kWebFileCount; ++index)
    if (kWebFiles[index].name == name)
      return kWebFiles[index].bytes;
  return {};
}

// The wallboard as one server-sent event: its JSON on one line (a compact dump holds no line
// break) between the event's framing. Entity names come from the server; one that is not UTF-8
// is repaired rather than thrown on.
constexpr std::string_view kEventPrefix = "data: ";
constexpr std::string_view kEventSuffix = "\n\n";

std::string WallboardMessage(const nlohmann::json &wallboard) {
  std::string message(kEventPrefix);
  message += wallboard.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  message += kEventSuffix;
  return message;
}

std::string_view WallboardJson(std::string_view message) {
  message.remove_prefix(kEventPrefix.size());
  message.remove_suffix(kEventSuffix.size());
  return message;
}

void SendOk(mg_connection *connection, const char *contentType, std::string_view body) {
  mg_send_http_ok(connection, contentType, static_cast<long long>(body.size()));
  mg_write(connection, body.data(), body.size());
}

// The first message civetweb logged on this thread; read after a failed start, it says why the
// port could not be bound (what follows it only says that starting failed).
thread_local std::string startLog;

int KeepLogMessage(const mg_connection *, const char *message) {
  if (startLog.empty())
    startLog = message;
  return 1; // handled: civetweb writes no log of its own
}

// The IPv4 address of `host` (a name or an address), in the dotted form civetweb takes.
std::string ResolveIPv4(const std::string &host, const std::string &address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo *found = nullptr;
  if (const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found); error != 0)
    throw ListenError("cannot listen on " + address + ": " + gai_strerror(error));
  char text[INET_ADDRSTRLEN] = "";
  inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr, text,
            sizeof text);
  freeaddrinfo(found);
  return text;
}

// Caps the kernel's send buffer of the listening socket on `port`, which every accepted
// connection inherits. Left to autotuning, a connection buffers megabytes for a client that
// does not read before a write ever waits, and so before the write time-out can drop it.
// civetweb does not hand out its sockets, so the listening one is found among the process's.
void CapSendBuffers(int port) {
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    int descriptor = -1;
    try {
      descriptor = std::stoi(entry.path().filename().string());
    } catch (const std::exception &) {
      continue;
    }
    int listening = 0;
    socklen_t length = sizeof listening;
    sockaddr_in address{};
    socklen_t addressLength = sizeof address;
    if (getsockopt(descriptor, SOL_SOCKET, SO_ACCEPTCONN, &listening, &length) != 0 || !listening ||
        getsockname(descriptor, reinterpret_cast<sockaddr *>(&address), &addressLength) != 0 ||
        address.sin_family != AF_INET || ntohs(address.sin_port) != port)
      continue;
    setsockopt(descriptor, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
  }
}

} // namespace

struct HttpServer::Impl : CivetHandler {
  explicit Impl(ExportState &exportState)
      : state(exportState), collectable(exportState.Collectable()), metrics([this] {
          std::string text = TextExposition(collectable->Collect(), metricsBytes);
          metricsBytes = text.size();
          return text;
        }),
        wallboard([this] { return WallboardMessage(state.Wallboard(Clock::now())); }) {}

  bool handleGet(CivetServer *, mg_connection *connection) override {
    const mg_request_info *request = mg_get_request_info(connection);
    const std::string_view path = request->local_uri != nullptr ? request->local_uri : "";
    if (path == "/metrics") {
      SendOk(connection, "text/plain; version=0.0.4; charset=utf-8", *metrics.Get());
    } else if (path == "/api/wallboard") {
      const std::shared_ptr<const std::string> message = wallboard.Get();
      SendOk(connection, "application/json", WallboardJson(*message));
    } else if (path == "/events") {
      Stream(connection);
    } else if (const PageRoute *route = FindPageRoute(path)) {
      SendOk(connection, route->contentType, WebFileBytes(route->file));
    } else {
      mg_send_http_error(connection, 404, "%s", "Not found\n");
    }
    return true;
  }

  // Holds the worker for as long as the client reads; the slot count bounds how many do.
  void Stream(mg_connection *connection) {
    bool admitted = false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      admitted = streams < kMaxEventStreams;
      streams += admitted ? 1 : 0;
    }
    // Outside the lock: a refused client that does not read holds only its own worker.
    if (!admitted) {
      mg_send_http_error(connection, 503, "%s", "Too many event streams\n");
      return;
    }
    mg_send_http_ok(connection, "text/event-stream", -1);
    constexpr std::string_view retry = "retry: 1000\n\n";
    bool sent = mg_send_chunk(connection, retry.data(), retry.size()) > 0;
    std::unique_lock<std::mutex> lock(mutex);
    while (sent && !stopping) {
      const unsigned long seen = generation;
      const auto sentAt = Clock::now();
      lock.unlock();
      const std::shared_ptr<const std::string> message = wallboard.Get();
      sent = mg_send_chunk(connection, message->data(),
                           static_cast<unsigned int>(message->size())) > 0;
      lock.lock();
      if (sent)
        wake.wait_until(lock, sentAt + kStreamPeriod,
                        [&] { return stopping || generation != seen; });
    }
    --streams;
  }

  ExportState &state;
  std::shared_ptr<prometheus::Collectable> collectable;
  std::size_t metricsBytes = 0; // the last exposition's size; its builder's thread alone uses it
  // One build serves every client asking at the same moment: 50 scrapers cost one exposition.
  CoalescedBody metrics;
  CoalescedBody wallboard; // as the stream's message; /api/wallboard sends the JSON inside it
  std::mutex mutex;
  std::condition_variable wake;
  unsigned long generation = 0; // counts Notify calls
  int streams = 0;
  bool stopping = false;
  std::unique_ptr<CivetServer> server;
  int port = 0;
};

HttpServer::HttpServer(ExportState &state, const std::string &host, int port)
    : impl_(std::make_unique<Impl>(state)) {
  const std::string address = host + ":" + std::to_string(port);
  const std::pair<const char *, std::string> settings[] = {
      {"listening_ports", ResolveIPv4(host, address) + ":" + std::to_string(port)},
      {"num_threads", std::to_string(kWorkerThreads)},
      // Bounds every read of a request and every write of a response, a stream's included.
      {"request_timeout_ms", std::to_string(kWriteTimeoutMs)},
      {"max_request_size", "16384"},
      {"enable_keep_alive", "yes"},
      {"keep_alive_timeout_ms", "1000"},
  };
  std::vector<std::string> options;
  for (const auto &[name, value] : settings) {
    options.emplace_back(name);
    options.push_back(value);
  }

  CivetCallbacks callbacks;
  callbacks.log_message = KeepLogMessage;
  startLog.clear();
  try {
    impl_->server = std::make_unique<CivetServer>(options, &callbacks);
  } catch (const CivetException &error) {
    throw ListenError("cannot listen on " + address + ": " +
                      (startLog.empty() ? error.what() : startLog));
  }
  impl_->server->addHandler("/", *impl_);
  const std::vector<mg_server_port> ports = impl_->server->getListeningPortsFull();
  impl_->port = ports.empty() ? port : ports.front().port;
  CapSendBuffers(impl_->port);
}

HttpServer::~HttpServer() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->wake.notify_all();
  impl_->server.reset();
}

int HttpServer::Port() const { return impl_->port; }

void HttpServer::Notify() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    ++impl_->generation;
  }
  impl_->wake.notify_all();
}

} // namespace statexport
