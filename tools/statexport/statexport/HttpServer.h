// HttpServer: the daemon's one HTTP port, served by civetweb.
//
//   GET /metrics         the state's metrics in the Prometheus text exposition
//   GET /api/wallboard   the wallboard JSON (ExportState::Wallboard)
//   GET /events          a server-sent event stream of the wallboard JSON, at least once a
//                        second and at once after Notify(); at most kMaxEventStreams at a time,
//                        more get 503
//   GET /, /app.js, /style.css   the wallboard page, compiled in
//   anything else        404
//
// A client that stops reading its stream is dropped once a write has waited
// kWriteTimeoutMs; civetweb's request size and time limits answer oversized or slow requests.
//
// Requests for the metrics or the wallboard that arrive together share one build of the body
// (CoalescedBody), made on a thread of its own: a burst of clients costs one build, and the
// memory held does not grow with the number of clients or of workers that served them.
//
// Threads: civetweb's workers serve the requests; the builds read the state concurrently with
// ingestion (ExportState is thread-safe). The constructor and destructor run on the owner's
// thread, Notify and Port on any.
#ifndef STATCLIENT_TOOLS_STATEXPORT_HTTPSERVER_H_
#define STATCLIENT_TOOLS_STATEXPORT_HTTPSERVER_H_

#include <memory>
#include <stdexcept>
#include <string>

namespace statexport {

class ExportState;

// The address could not be bound; what() names HOST:PORT and the reason.
class ListenError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class HttpServer {
public:
  static constexpr int kMaxEventStreams = 32;
  // Enough for 50 concurrent scrapers besides every event stream, each of which holds a worker.
  static constexpr int kWorkerThreads = 50 + kMaxEventStreams + 18;
  static constexpr int kWriteTimeoutMs = 5000;

  // Starts serving `state` (which must outlive this object) on host:port; port 0 takes a free
  // one. `host` is an IPv4 address or a name that resolves to one. Throws ListenError.
  HttpServer(ExportState &state, const std::string &host, int port);
  // Ends the event streams and waits for the requests in hand.
  ~HttpServer();
  HttpServer(const HttpServer &) = delete;
  HttpServer &operator=(const HttpServer &) = delete;

  // The port bound (the free one chosen for port 0).
  int Port() const;

  // Makes every event stream send the wallboard now, e.g. when the server went up or down.
  void Notify();

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_HTTPSERVER_H_
