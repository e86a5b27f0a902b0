// statwatch as a user runs it: its JSON lines hold every field of the structured rendering of
// the payloads it captured, and bad input is refused on stderr with a non-zero exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <nlohmann/json.hpp>
#include <statsupport/EventTable.h>
#include <statsupport/JsonSink.h>

namespace {

namespace fs = std::filesystem;

#ifndef STATWATCH_PATH
#define STATWATCH_PATH ""
#endif

struct ToolRun {
  int exit;
  std::string out, err;
};

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
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  ToolRun RunStatwatch(const std::string &arguments) {
    const std::string command = std::string(STATWATCH_PATH) + " " + arguments + " >" +
                                (dir_ / "out").string() + " 2>" + (dir_ / "err").string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "out"), Slurp(dir_ / "err")};
  }
  // Of this process and test, so that builds running the test at once keep apart.
  const fs::path dir_ =
      fs::temp_directory_path() / ("statwatch_cli_test_" + std::to_string(::getpid()) + "_" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(Statwatch, JsonLinesHoldEveryFieldOfTheCapturedPayloads) {
  const fs::path capture = dir_ / "capture";
  const ToolRun run =
      RunStatwatch("--format json --count 4 --tick-ms 5 --capture " + capture.string() +
                   " GROUPREALTIMEEVENT 5004 TQueueRealTimeEvent");
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_NE(run.err.find("statwatch: 4 events"), std::string::npos) << run.err;

  std::vector<fs::path> files;
  for (const auto &file : fs::directory_iterator(capture))
    files.push_back(file.path());
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 4u);

  std::istringstream lines(run.out);
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
    const ToolRun run = RunStatwatch(c.arguments);
    EXPECT_EQ(run.exit, c.exit) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
}

} // namespace
