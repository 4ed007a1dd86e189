// Every example session and every scenario session runs to the end with its expectations held.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runner.hpp"
#include "script.hpp"

namespace session {
namespace {

std::vector<std::string> sessionFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"examples", "tests/sessions"}) {
    const std::filesystem::path dir = std::filesystem::path(QUADRIFT_SOURCE_DIR) / folder;
    if (!std::filesystem::exists(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() == ".qsession") files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

class Session : public ::testing::TestWithParam<std::string> {};

TEST_P(Session, FinishesWithEveryExpectationHeld) {
  std::ifstream in(GetParam(), std::ios::binary);
  ASSERT_TRUE(in) << GetParam();
  std::stringstream text;
  text << in.rdbuf();
  RunOptions options;
  options.satelliteFolder = QUADRIFT_BINARY_DIR;
  const RunResult result = runScript(parseScript(text.str(), GetParam()), options);
  EXPECT_TRUE(result.finished) << result.abortReason;
  for (const auto& failed : result.failedExpectations) ADD_FAILURE() << failed;
  EXPECT_EQ(result.exitStatus(), 0);
  EXPECT_TRUE(result.finalState["run"]["done"].get<bool>()) << "the session ends the command";
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
  const std::filesystem::path path(info.param);
  std::string name = path.parent_path().filename().string() + "_" + path.stem().string();
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(All, Session, ::testing::ValuesIn(sessionFiles()), testName);

TEST(Sessions, TheExamplesAndScenarioSessionsAreFound) {
  const auto files = sessionFiles();
  const auto count = [&](const char* part) {
    return std::count_if(files.begin(), files.end(),
                         [&](const std::string& f) { return f.find(part) != std::string::npos; });
  };
  EXPECT_GE(count("/examples/"), 4);
  EXPECT_GE(count("/tests/sessions/"), 5);
}

// The README's transcript example is what the runner prints for its session.
TEST(Sessions, TheReadmesTranscriptExampleIsWhatTheRunnerPrints) {
  std::ifstream readme(std::filesystem::path(QUADRIFT_SOURCE_DIR) / "README.md");
  const std::string prompt = "$ build/dev/quadrift run ";
  std::string line, file, expected;
  while (file.empty() && std::getline(readme, line)) {
    if (line.rfind(prompt, 0) == 0) file = line.substr(prompt.size());
  }
  ASSERT_FALSE(file.empty()) << "the README shows a run";
  while (std::getline(readme, line) && line != "```") expected += line + "\n";
  std::ifstream in(std::filesystem::path(QUADRIFT_SOURCE_DIR) / file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::ostringstream transcript;
  RunOptions options;
  options.satelliteFolder = QUADRIFT_BINARY_DIR;
  options.transcript = &transcript;
  const RunResult result = runScript(parseScript(text.str(), file), options);
  EXPECT_EQ(transcript.str() + (result.exitStatus() == 0 ? "ok\n" : "FAILED\n"), expected);
}

}  // namespace
}  // namespace session
