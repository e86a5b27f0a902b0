// statwatch as a user runs it: its JSON lines hold every field of the structured rendering of
// the payloads it captured, and bad input is refused on stderr with a non-zero exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

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
    if (std::string(STATWATCH_PATH).empty()) {
      GTEST_SKIP() << "statwatch is not built";
    }
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The exit status, standard output and standard error of statwatch run with `arguments`.
  std::tuple<int, std::string, std::string> Run(const std::string &arguments) {
    const std::string command = std::string(STATWATCH_PATH) + " " + arguments + " >" +
                                (dir_ / "out").string() + " 2>" + (dir_ / "err").string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "out"), Slurp(dir_ / "err")};
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

TEST_F(Statwatch, BadInputIsRefusedOnStderrWithNothingOnStdout) {
  struct Case {
    const char *arguments;
    int exit;
    const char *message;
  } cases[] = {
      {"NOSUCHEVENT -n 1", 1, "unknown event \"NOSUCHEVENT\""},
      {"4999 -n 1", 1, "unknown event \"4999\""},
      {"5000 -n 1", 1, "unknown event \"5000\""},
      {"--server NobodyServesThis -n 1", 2,
       "cannot reach a Statistics Server named \"NobodyServesThis\""},
      {"--format xml", 1, "xml"},
      {"--capture /proc/statwatch-cannot -n 1", 3, "cannot create /proc/statwatch-cannot"},
  };
  for (const Case &c : cases) {
    const auto [status, out, err] = Run(c.arguments);
    EXPECT_EQ(status, c.exit) << c.arguments;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.arguments << ": " << err;
    EXPECT_EQ(out, "") << c.arguments;
  }
}

} // namespace
