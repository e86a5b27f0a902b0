// statwatch as a user runs it: its JSON lines hold every field of the structured rendering of
// the payloads it captured; bad input, a server that does not answer and output that cannot be
// written are refused on stderr with their exit codes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <statsupport/EventTable.h>
#include <statsupport/JsonSink.h>

namespace {

namespace fs = std::filesystem;

#ifndef STATWATCH_PATH
#define STATWATCH_PATH ""
#endif

std::string Slurp(const fs::path &path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

class Statwatch : public ::testing::Test {
protected:
  void SetUp() override {
    if (std::string(STATWATCH_PATH).empty())
      GTEST_SKIP() << "statwatch is not built";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The exit status, standard output and standard error of statwatch run with `arguments`;
  // given `out`, standard output goes there instead and comes back empty.
  std::tuple<int, std::string, std::string> Run(const std::string &arguments,
                                                const std::string &out = "") {
    const std::string command = std::string(STATWATCH_PATH) + " " + arguments + " >" +
                                (out.empty() ? (dir_ / "out").string() : out) + " 2>" +
                                (dir_ / "err").string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.empty() ? Slurp(dir_ / "out") : "",
            Slurp(dir_ / "err")};
  }
  // Of this process, so that builds running the test at once keep apart.
  const fs::path dir_ = fs::temp_directory_path() / ("statwatch_cli_" + std::to_string(::getpid()));
};

TEST_F(Statwatch, JsonLinesHoldEveryFieldOfTheCapturedPayloads) {
  const fs::path capture = dir_ / "capture";
  const auto [status, out, err] =
      Run("--format json --count 4 --tick-ms 5 --capture " + capture.string() +
          " GROUPREALTIMEEVENT 5004 TQueueRealTimeEvent");
  ASSERT_EQ(status, 0) << err;
  EXPECT_NE(err.find("statwatch: 4 events"), std::string::npos) << err;
  const std::set<fs::path> files{fs::directory_iterator(capture), fs::directory_iterator()};
  ASSERT_EQ(files.size(), 4u);

  std::istringstream lines(out);
  std::string line;
  for (const fs::path &file : files) {
    const int id = std::stoi(file.filename().string().substr(7));
    const statsupport::EventEntry *entry = statsupport::FindById(id);
    ASSERT_NE(entry, nullptr) << file;
    const std::string payload = Slurp(file);
    statsupport::JsonSink sink;
    entry->decode(payload.data(), payload.size(), sink);
    for (const nlohmann::json &record : sink.Result()["EventDataList"]) {
      ASSERT_TRUE(std::getline(lines, line));
      nlohmann::json parsed = nlohmann::json::parse(line);
      EXPECT_TRUE(parsed["time"].is_string());
      parsed.erase("time");
      EXPECT_EQ(parsed,
                (nlohmann::json{{"event", entry->eventName}, {"id", id}, {"record", record}}));
    }
  }
  EXPECT_FALSE(std::getline(lines, line)) << "lines beyond the captured records: " << line;
}

// Bad options, numbers and endpoints; a capture directory that is a file with a name not UTF-8,
// and one whose capture file links to /dev/full (a root test ignores permissions).
TEST_F(Statwatch, BadInputIsRefusedOnStderrWithNothingOnStdout) {
  const std::string file = (dir_ / "\xff-file").string(), full = (dir_ / "full").string();
  std::ofstream{file};
  fs::create_directories(full);
  fs::create_symlink("/dev/full", full + "/000001-5006.bin");
  const std::tuple<std::string, int, std::string> cases[] = {
      {"NOSUCHEVENT -n 1", 1, "unknown event \"NOSUCHEVENT\""},
      {"4999 -n 1", 1, "unknown event \"4999\""},
      {"5000 -n 1", 1, "unknown event \"5000\""},
      {"--server NobodyServesThis -n 1", 2,
       "cannot reach a Statistics Server named \"NobodyServesThis\""},
      {"--format xml", 1, "xml"},
      {"--count -1", 1, "--count: -1 is not a whole number from 1 to 1000000000"},
      {"--count 99999999999999999999", 1, "--count: 99999999999999999999 is not a whole number"},
      {"--duration abc", 1, "--duration: abc is not a number of seconds from 0.001 to 31536000"},
      {"--duration nan", 1, "--duration: nan is not a number of seconds"},
      {"--connect bogus -n 1", 1, "--connect bogus: Invalid argument"},
      {"--capture '" + file + "' -n 1", 3, "cannot create " + dir_.string() + "/\\xff-file: "},
      {"--capture " + full + " -n 1 5006", 3,
       "cannot write " + full + "/000001-5006.bin: No space left on device"},
  };
  for (const auto &[arguments, exit, message] : cases) {
    const auto [status, out, err] = Run(arguments);
    EXPECT_EQ(status, exit) << arguments;
    EXPECT_NE(err.find(message), std::string::npos) << arguments << ": " << err;
    EXPECT_EQ(out, "") << arguments;
  }
}

// A port of the loopback address that nobody listens at: bound, never listened on, so that it
// stays refused while the socket is open.
class UnusedPort {
public:
  UnusedPort() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr *>(&address), size) == 0 &&
        ::getsockname(socket_, reinterpret_cast<sockaddr *>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
  }
  ~UnusedPort() { ::close(socket_); }
  UnusedPort(const UnusedPort &) = delete;
  UnusedPort &operator=(const UnusedPort &) = delete;
  int Port() const { return port_; }

private:
  int socket_;
  int port_ = 0;
};

// With nobody serving at the endpoint statwatch says so, naming it, well before the library's
// request time-out; over tcp and over ipc.
TEST_F(Statwatch, ConnectWhereNoServerAnswersFailsWithinThreeSeconds) {
  const UnusedPort unused;
  ASSERT_NE(unused.Port(), 0);
  for (const std::string &endpoint : {"tcp://127.0.0.1:" + std::to_string(unused.Port()),
                                      "ipc://" + (dir_ / "nobody").string()}) {
    const auto start = std::chrono::steady_clock::now();
    const auto [status, out, err] = Run("--connect " + endpoint + " -n 1");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status, 2) << endpoint << ": " << err;
    EXPECT_NE(err.find("no Statistics Server \"StatisticsServer\" answers at " + endpoint),
              std::string::npos)
        << err;
    EXPECT_LT(took, std::chrono::seconds(3)) << endpoint;
    EXPECT_EQ(out, "") << endpoint;
  }
}

// Standard output that refuses every write, for records and for the list: a message on stderr,
// exit 3, and no summary as if the run had succeeded.
TEST_F(Statwatch, StandardOutputThatCannotBeWrittenEndsWithExitThree) {
  for (const char *arguments : {"-n 3 --tick-ms 5", "--list"}) {
    const auto [status, out, err] = Run(arguments, "/dev/full");
    EXPECT_EQ(status, 3) << arguments << ": " << err;
    EXPECT_NE(err.find("statwatch: cannot write standard output: No space left on device"),
              std::string::npos)
        << arguments << ": " << err;
    EXPECT_EQ(err.find(" events, "), std::string::npos) << arguments << ": " << err;
  }
}

} // namespace
