// Every example session and every scenario session runs to the end with its expectations held.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/locale_table.hpp"
#include "runner.hpp"
#include "script.hpp"
#include "support/satellites.hpp"

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

std::string textOf(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void expectFinishedWithEveryExpectationHeld(const std::string& script, const std::string& file) {
  RunOptions options;
  options.satelliteFolder = QUADRIFT_BINARY_DIR;
  const RunResult result = runScript(parseScript(script, file), options);
  EXPECT_TRUE(result.finished) << result.abortReason;
  for (const auto& failed : result.failedExpectations) ADD_FAILURE() << failed;
  EXPECT_EQ(result.exitStatus(), 0);
  EXPECT_TRUE(result.finalState["run"]["done"].get<bool>()) << "the session ends the command";
}

class Session : public ::testing::TestWithParam<std::string> {};

TEST_P(Session, FinishesWithEveryExpectationHeld) {
  expectFinishedWithEveryExpectationHeld(textOf(GetParam()), GetParam());
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

// A German session (`locale 1031`) as a user of `lcid` plays it: the locale statement names
// that locale; a quoted text that is a string of the German table becomes the same string of the
// locale's table; and where the locale's decimal point is not the German comma, the other quoted
// texts swap "." and "," between digits, so a length typed or expected keeps its meaning and a
// separator the German session expects to be refused is the one the locale refuses.
std::string playedIn(const std::string& script, std::uint32_t lcid) {
  std::map<std::string, std::uint16_t> germanIds;
  for (const auto& [id, text] : satellites::tableOf(1031)) {
    EXPECT_TRUE(germanIds.emplace(text, id).second) << "two German strings read " << text;
  }
  const portable::StringTable own = satellites::tableOf(lcid);
  const bool swapSeparators = portable::localeFacts(lcid).decimalSeparator != ',';
  const auto translate = [&](std::string text) {
    if (const auto found = germanIds.find(text); found != germanIds.end()) {
      return own.at(found->second);
    }
    for (std::size_t i = 1; swapSeparators && i + 1 < text.size(); ++i) {
      const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
      if (!digit(text[i - 1]) || !digit(text[i + 1])) continue;
      if (text[i] == '.' || text[i] == ',') text[i] = text[i] == '.' ? ',' : '.';
    }
    return text;
  };
  std::string out;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("locale 1031")) line.replace(0, 11, "locale " + std::to_string(lcid));
    std::string played;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '#') {
        played += line.substr(i);
        break;
      }
      if (line[i] != '"') {
        played += line[i];
        continue;
      }
      std::string text;
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        text += line[i];
      }
      played += '"';
      for (char c : translate(text))
        played += (c == '"' || c == '\\') ? std::string{'\\', c} : std::string{c};
      played += '"';
    }
    out += played + '\n';
  }
  return out;
}

class GermanSessionElsewhere : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(GermanSessionElsewhere, FinishesWithEveryExpectationHeld) {
  int german = 0;
  for (const std::string& file : sessionFiles()) {
    const std::string script = textOf(file);
    if (!script.starts_with("locale 1031\n") &&
        script.find("\nlocale 1031\n") == std::string::npos) {
      continue;
    }
    ++german;
    SCOPED_TRACE(file);
    expectFinishedWithEveryExpectationHeld(playedIn(script, GetParam()), file);
  }
  EXPECT_GE(german, 1);
}

std::vector<std::uint32_t> localesOtherThanGerman() {
  std::vector<std::uint32_t> others;
  for (std::uint32_t lcid : satellites::kLocales) {
    if (lcid != 1031) others.push_back(lcid);
  }
  return others;
}

std::string localeName(const ::testing::TestParamInfo<std::uint32_t>& locale) {
  return std::to_string(locale.param);
}

INSTANTIATE_TEST_SUITE_P(Satellites, GermanSessionElsewhere,
                         ::testing::ValuesIn(localesOtherThanGerman()), localeName);

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
