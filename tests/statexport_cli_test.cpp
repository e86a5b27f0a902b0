// statexport as a user runs it: bad command lines and a port in use are refused with their exit
// codes, and a running daemon serves the embedded simulator's figures over HTTP.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>

#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <civetweb.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

#ifndef STATEXPORT_PATH
#define STATEXPORT_PATH ""
#endif

std::string Slurp(const fs::path &path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

struct Response {
  int status = 0;
  std::string contentType;
  std::string body;
};

// One GET of `path` from 127.0.0.1:port; status 0 when the connection failed.
Response Get(int port, const std::string &path) {
  char error[256] = "";
  mg_connection *connection =
      mg_download("127.0.0.1", port, 0, error, sizeof error,
                  "GET %s HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n", path.c_str());
  Response response;
  if (connection == nullptr)
    return response;
  const mg_response_info *info = mg_get_response_info(connection);
  response.status = info->status_code;
  for (int index = 0; index < info->num_headers; ++index)
    if (std::string(info->http_headers[index].name) == "Content-Type")
      response.contentType = info->http_headers[index].value;
  char buffer[4096];
  for (int read; (read = mg_read(connection, buffer, sizeof buffer)) > 0;)
    response.body.append(buffer, static_cast<std::size_t>(read));
  mg_close_connection(connection);
  return response;
}

// The value of the series `name` (with its labels, as exposed) in an exposition, or -1.
double Sample(const std::string &exposition, const std::string &series) {
  std::istringstream lines(exposition);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(series + " ", 0) == 0)
      return std::stod(line.substr(series.size() + 1));
  return -1;
}

class Statexport : public ::testing::Test {
protected:
  static void SetUpTestSuite() { mg_init_library(0); }
  void SetUp() override {
    if (std::string(STATEXPORT_PATH).empty())
      GTEST_SKIP() << "statexport is not built";
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (daemon_ > 0) {
      ::kill(daemon_, SIGKILL);
      ::waitpid(daemon_, nullptr, 0);
    }
    fs::remove_all(dir_);
  }

  // The exit status, standard output and standard error of statexport run with `arguments`.
  std::tuple<int, std::string, std::string> Run(const std::string &arguments) {
    const std::string command = std::string(STATEXPORT_PATH) + " " + arguments + " >" +
                                (dir_ / "out").string() + " 2>" + (dir_ / "err").string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "out"), Slurp(dir_ / "err")};
  }

  // Starts the daemon on a free port and returns that port, read from its start line; 0 when
  // no start line came within 10 s.
  int Start(const std::string &arguments) {
    const std::string command = "exec " + std::string(STATEXPORT_PATH) + " --listen 127.0.0.1:0 " +
                                arguments + " 2>" + (dir_ / "daemon.err").string();
    const char *argv[] = {"sh", "-c", command.c_str(), nullptr};
    if (posix_spawn(&daemon_, "/bin/sh", nullptr, nullptr, const_cast<char **>(argv), environ) != 0)
      return 0;
    const std::regex startLine(
        "statexport: serving http://127\\.0\\.0\\.1:([0-9]+)/ \\(metrics at /metrics\\)\n");
    for (auto deadline = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(50ms)) {
      std::smatch match;
      const std::string err = Slurp(dir_ / "daemon.err");
      if (std::regex_search(err, match, startLine))
        return std::stoi(match[1]);
    }
    return 0;
  }

  // Sends `signal` to the daemon and returns its exit status (-1 when it did not exit).
  int Stop(int signal) {
    ::kill(daemon_, signal);
    int status = 0;
    ::waitpid(daemon_, &status, 0);
    daemon_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Of this process, so that builds running the test at once keep apart.
  const fs::path dir_ =
      fs::temp_directory_path() / ("statexport_cli_" + std::to_string(::getpid()));
  pid_t daemon_ = 0;
};

TEST_F(Statexport, HelpNamesTheExitCodes) {
  const auto [status, out, err] = Run("--help");
  EXPECT_EQ(status, 0) << err;
  for (const char *text :
       {"--connect ENDPOINT", "--listen HOST:PORT", "Exit codes:", "0  ended by SIGINT or SIGTERM",
        "1  bad command line", "2  cannot listen", "3  the start line could not be written"})
    EXPECT_NE(out.find(text), std::string::npos) << text << " in\n" << out;
}

TEST_F(Statexport, BadCommandLinesAreRefusedBeforeServing) {
  const std::tuple<std::string, int, std::string> cases[] = {
      {"--bogus", 1, "--bogus"},
      {"--listen 9464", 1, "--listen: 9464 is not HOST:PORT"},
      {"--listen 127.0.0.1:65536", 1, "--listen: 127.0.0.1:65536 is not HOST:PORT"},
      {"--listen 127.0.0.1:", 1, "is not HOST:PORT"},
      {"--tick-ms 0", 1, "--tick-ms: 0 is not a whole number from 1 to 60000"},
      {"--refresh-rate x", 1, "--refresh-rate: x is not a whole number"},
      {"--expiry-periods 0", 1, "--expiry-periods: 0 is not a whole number"},
      {"--per-user-detail", 1, "--per-user-detail requires --per-user"},
      {"--listen 127.0.0.1:0 --connect bogus", 1, "--connect bogus: Invalid argument"},
      {"--listen 127.0.0.1:0 --server NobodyServesThis", 2,
       "cannot reach a Statistics Server named \"NobodyServesThis\""},
      {"--listen no.such.host.invalid:80", 2, "cannot listen on no.such.host.invalid:80: "},
  };
  for (const auto &[arguments, exit, message] : cases) {
    const auto [status, out, err] = Run(arguments);
    EXPECT_EQ(status, exit) << arguments;
    EXPECT_NE(err.find(message), std::string::npos) << arguments << ": " << err;
    EXPECT_EQ(err.find("serving http"), std::string::npos) << arguments << ": " << err;
  }
}

TEST_F(Statexport, APortInUseIsNamedWithExitTwo) {
  const int holder = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr *>(&address), length), 0);
  ASSERT_EQ(::listen(holder, 1), 0);
  ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr *>(&address), &length), 0);
  const std::string listen = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));

  const auto [status, out, err] = Run("--listen " + listen);
  ::close(holder);
  EXPECT_EQ(status, 2) << err;
  EXPECT_NE(err.find("cannot listen on " + listen + ": "), std::string::npos) << err;
  EXPECT_NE(err.find("in use"), std::string::npos) << err;
}

TEST_F(Statexport, AStartLineThatCannotBeWrittenExitsThree) {
  const int status =
      std::system((std::string(STATEXPORT_PATH) + " --listen 127.0.0.1:0 2>/dev/full").c_str());
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 3);
}

// The embedded simulator's events reach /metrics, the page and its assets are served, other
// paths are not found, and SIGTERM ends the daemon with 0.
TEST_F(Statexport, ServesTheSimulatorsFiguresUntilTerminated) {
  const int port = Start("--tick-ms 20");
  ASSERT_NE(port, 0) << Slurp(dir_ / "daemon.err");

  Response metrics;
  const std::string events = "statexport_events_received_total{event=\"QUEUEREALTIMEEVENT\"}";
  for (auto deadline = std::chrono::steady_clock::now() + 5s;
       std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(100ms)) {
    metrics = Get(port, "/metrics");
    if (Sample(metrics.body, events) >= 3)
      break;
  }
  EXPECT_EQ(metrics.status, 200);
  EXPECT_EQ(metrics.contentType, "text/plain; version=0.0.4; charset=utf-8");
  EXPECT_EQ(Sample(metrics.body, "statexport_server_up"), 1) << metrics.body;
  EXPECT_GE(Sample(metrics.body, events), 3) << metrics.body;

  const std::tuple<std::string, int, std::string> paths[] = {
      {"/", 200, "text/html; charset=utf-8"},
      {"/app.js", 200, "text/javascript; charset=utf-8"},
      {"/style.css", 200, "text/css; charset=utf-8"},
      {"/api/wallboard", 200, "application/json"},
      {"/nothing-here", 404, ""},
      {"/metrics/more", 404, ""},
      {"/app.js/", 404, ""},
  };
  for (const auto &[path, status, contentType] : paths) {
    const Response response = Get(port, path);
    EXPECT_EQ(response.status, status) << path;
    if (status == 200) {
      EXPECT_EQ(response.contentType, contentType) << path;
      EXPECT_FALSE(response.body.empty()) << path;
    }
  }
  EXPECT_NE(Get(port, "/").body.find("id=\"waiting-plot\""), std::string::npos);

  EXPECT_EQ(Stop(SIGTERM), 0) << Slurp(dir_ / "daemon.err");
}

} // namespace
