// The session runner: script errors name file and line; exit statuses tell a held run from a
// failed expectation and from a run that never finished.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "run_file.hpp"
#include "runner.hpp"
#include "script.hpp"

namespace session {
namespace {

// The error a script raises when parsed, or nullopt when it parses.
std::optional<ScriptError> parseError(const std::string& text) {
  try {
    parseScript(text, "s.qsession");
  } catch (const ScriptError& e) {
    return e;
  }
  return std::nullopt;
}

RunResult run(const std::string& text, std::ostream* transcript = nullptr) {
  RunOptions options;
  options.satelliteFolder = QUADRIFT_BINARY_DIR;
  options.transcript = transcript;
  return runScript(parseScript(text, "s.qsession"), options);
}

struct BadScript {
  const char* text;
  int line;
  const char* message;  // a part of the message
};

class ScriptErrors : public ::testing::TestWithParam<BadScript> {};

TEST_P(ScriptErrors, NameFileLineAndWhatIsWrong) {
  const auto error = parseError(GetParam().text);
  ASSERT_TRUE(error.has_value()) << GetParam().text;
  EXPECT_EQ(error->line, GetParam().line);
  const std::string what = error->what();
  EXPECT_EQ(what.rfind("s.qsession:" + std::to_string(GetParam().line) + ": ", 0), 0u) << what;
  EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
}

INSTANTIATE_TEST_SUITE_P(
    Parse, ScriptErrors,
    ::testing::Values(
        BadScript{"locale 1031\n\nfrobnicate 3\n", 3, "unknown statement 'frobnicate'"},
        BadScript{"sheet origin 1.5 north\n", 1, "'north' is not a number"},
        BadScript{"sheet size 48\n", 1, "out of range"},
        BadScript{"undo-depth 2x\n", 1, "not a whole number"},
        BadScript{"start\nclick cmdApply\nlocale 1031\n", 3, "before 'start'"},
        BadScript{"# set-up\nclick cmdOK\nstart\n", 2, "needs 'start' first"},
        BadScript{"start\nfocus txtSOLX\ntype \"12 m\n", 3, "unterminated string"},
        BadScript{"start\nexpect reports 0\n", 2, "SUBJECT = VALUE"},
        BadScript{"start\nstart\n", 2, "only once"},
        BadScript{"start\nend\nclick cmdOK\n", 3, "nothing may follow 'end'"},
        BadScript{"printer 9 sideways\n", 1, "portrait or landscape"},
        // Found before anything runs, however far into the run they stand.
        BadScript{"start\nclick cmdApply\nexpect sheet.colour = red\n", 3,
                  "'sheet.colour' names nothing to expect"},
        BadScript{"start\nclick cmdApply\nexpect lastReport.idnet = x\n", 3, "names nothing"},
        BadScript{"start\nexpect cmdOK.Text = x\n", 2, "names nothing"},
        BadScript{"start\nexpect cmdNothing.Enabled = true\n", 2, "names nothing"},
        BadScript{"start\nclick cmdApply\nclick cmdNothing\n", 3, "no control named 'cmdNothing'"},
        BadScript{"start\nfocus txtSOLX\npick optSheetSize(7) 1\n", 3, "no control named"},
        BadScript{"start\nclick cmdApply\nkey Ctrl+Q\n", 3, "unknown key 'Ctrl+Q'"},
        BadScript{"start\nkey Alt+&\n", 2, "unknown key"}));

TEST(ScriptErrors, ACommentOrBlankLineCountsAsALine) {
  const auto error = parseError("# a session\n\n   \nstart\nexpect = 3\n");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->line, 5);
}

TEST(ScriptNames, MatchInAnyCaseAndAreKeptAsTheDialogAndTheLanguageSpellThem) {
  const std::string text =
      "Sheet SIZE 28\nSTART\nClick OPTSHEETSIZE(2)\nfocus txtsizew\nkey shift+TAB\nkey alt+p\n"
      "Expect TXTSIZEW.enabled = true\nexpect SHEET.SizeIndex = 28\nexpect LastRefused.Reason = "
      "\"cmdPrevious is disabled\"\nKEY esc\nexpect RUN.done = true\n";
  const Script script = parseScript(text, "s.qsession");
  EXPECT_EQ(std::get<Click>(script.statements[2].action).control, "optSheetSize(2)");
  EXPECT_EQ(std::get<Focus>(script.statements[3].action).control, "txtSizeW");
  EXPECT_EQ(std::get<Key>(script.statements[4].action).key, "Shift+Tab");
  EXPECT_EQ(std::get<Key>(script.statements[5].action).key, "Alt+P");
  const RunResult r = run(text);
  for (const auto& failed : r.failedExpectations) ADD_FAILURE() << failed;
  EXPECT_EQ(r.exitStatus(), 0) << r.abortReason;
}

struct TranscriptCase {
  const char* script;
  const char* lines;  // consecutive lines the transcript must hold
};

class Transcripts : public ::testing::TestWithParam<TranscriptCase> {};

TEST_P(Transcripts, ShowWhatEachStatementCausedInTheOrderItHappened) {
  std::ostringstream out;
  const RunResult r = run(GetParam().script, &out);
  EXPECT_EQ(r.exitStatus(), 0) << out.str();
  EXPECT_NE(out.str().find(GetParam().lines), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(
    Events, Transcripts,
    ::testing::Values(
        // What start-up reports and shows goes under `start`.
        TranscriptCase{"satellite 1033 absent\nstart\nclick cmdCancel\n",
                       "> start\n  report: kstQuadrift.frmMain:ksCommand1_Initialize(): Failed to "
                       "Load kstQuadrift_<>.dll Resource Lib (0)\n"},
        // A report made before the dialog is hidden is shown before the hide.
        TranscriptCase{"fail HostSheetSetup.9\nstart\nclick cmdOK\n",
                       "> click cmdOK\n  report: kstQuadrift.frmMain:PerformSheetSetup(): The host "
                       "refused the operation (HostSheetSetup.9) (-2147220992)\n"
                       "  dialog: frmMain hidden\n  status: Ready\n"},
        TranscriptCase{"start\nclick cmdHelp\nclick cmdCancel\n",
                       "> click cmdHelp\n  help: .chm, command 15, context 61191\n"},
        // A click the field's warning kept from its button is refused once the warning closes.
        TranscriptCase{"start\nfocus txtSOLX\ntype \"x\"\nclick cmdApply\nanswer\n"
                       "expect refused = 1\nexpect lastRefused.reason = \"the focus stayed on "
                       "txtSOLX, so cmdApply was not clicked\"\nclick cmdCancel\n",
                       "> answer\n  refused: click cmdApply (the focus stayed on txtSOLX, so "
                       "cmdApply was not clicked)\n"},
        // The access key of a disabled button is refused as a click on it is.
        TranscriptCase{
            "start\nkey Alt+P\nclick cmdPrevious\nexpect refused = 2\nclick cmdCancel\n",
            "> key Alt+P\n  refused: key Alt+P (cmdPrevious is disabled)\n"
            "> click cmdPrevious\n  refused: click cmdPrevious (cmdPrevious is disabled)\n"}));

TEST(ExitStatus, ZeroWhenTheRunFinishesAndEveryExpectationHolds) {
  const RunResult r =
      run("sheet size 28\nstart\nexpect cboSize.ListIndex = 28\nclick cmdCancel\n"
          "expect run.done = true\n");
  EXPECT_TRUE(r.finished) << r.abortReason;
  EXPECT_TRUE(r.failedExpectations.empty());
  EXPECT_EQ(r.exitStatus(), 0);
}

TEST(ExitStatus, OneWhenAnExpectationFailsNamingFileLineAndBothValues) {
  const RunResult r = run("sheet size 28\nstart\nexpect cboSize.ListIndex = 12\nclick cmdCancel\n");
  EXPECT_TRUE(r.finished);
  ASSERT_EQ(r.failedExpectations.size(), 1u);
  const std::string& what = r.failedExpectations[0];
  EXPECT_EQ(what.rfind("s.qsession:3: ", 0), 0u) << what;
  EXPECT_NE(what.find("\"12\""), std::string::npos) << what;
  EXPECT_NE(what.find("\"28\""), std::string::npos) << what;
  EXPECT_EQ(r.exitStatus(), 1);
}

TEST(ExitStatus, ARunWhoseInputRunsDryInTheDialogDoesNotFinish) {
  const RunResult r = run("start\nclick cmdApply\nexpect run.historyCount = 2\n");
  EXPECT_FALSE(r.finished);
  EXPECT_FALSE(r.abortReason.empty());
  EXPECT_TRUE(r.failedExpectations.empty()) << "the expectation itself held";
  EXPECT_EQ(r.exitStatus(), 1);
  EXPECT_FALSE(r.finalState["run"]["done"].get<bool>());
}

TEST(ExitStatus, ARunEndingInsideAMessageBoxDoesNotFinish) {
  const RunResult r = run("start\nfocus txtSOLX\ntype \"nonsense\"\nclick cmdOK\n");
  EXPECT_FALSE(r.finished);
  EXPECT_NE(r.abortReason.find("message box"), std::string::npos) << r.abortReason;
}

TEST(ExitStatus, AScriptWithoutStartRunsNothingAndDoesNotFinish) {
  const RunResult r = run("locale 1031\n");
  EXPECT_FALSE(r.finished);
  EXPECT_EQ(r.exitStatus(), 1);
}

TEST(ExitStatus, TwoWhenTheStateCannotBeWrittenWhereAskedOrTheWorldCannotBeMade) {
  const auto script = std::filesystem::temp_directory_path() / "quadrift-unwritable.qsession";
  std::ofstream(script) << "start\nclick cmdCancel\n";
  RunFileOptions options;
  options.file = script.string();
  options.satellites = QUADRIFT_BINARY_DIR;
  options.quiet = true;
  EXPECT_EQ(runFile(options), 0);
  options.jsonOut = (script.parent_path() / "no-such-folder" / "state.json").string();
  EXPECT_EQ(runFile(options), 2);
  options.jsonOut.clear();
  options.engine = DialogEngine::Win32;  // real windows are not this runner's
  EXPECT_EQ(runFile(options), 2);
  std::filesystem::remove(script);
}

TEST(Matching, NumbersCompareWithinARelativeToleranceAndTextExactly) {
  EXPECT_TRUE(matches("0.30000000000000004", "0.3"));
  EXPECT_TRUE(matches("-12.0", "-12"));
  EXPECT_FALSE(matches("0.301", "0.3"));
  EXPECT_TRUE(matches("297 mm", "297 mm"));
  EXPECT_FALSE(matches("297 mm", "297mm"));
  EXPECT_FALSE(matches("true", "1"));
  // Relative near zero too: a tiny number is not zero, nor twice another tiny one.
  EXPECT_FALSE(matches("1e-10", "0"));
  EXPECT_FALSE(matches("2e-12", "1e-12"));
  EXPECT_TRUE(matches("1.0000000000001e-12", "1e-12"));
  EXPECT_TRUE(matches("-0.0", "0"));
}

TEST(WorldSettings, ThereIsADefaultPrinterOnlyWhenAPrinterStatementSetsOne) {
  const auto printerOf = [](const std::string& text) {
    return worldSettings(parseScript(text, "s.qsession"), QUADRIFT_BINARY_DIR).printer;
  };
  EXPECT_FALSE(printerOf("locale 1031\n"));
  EXPECT_FALSE(printerOf("printer-caps 1 2 3 4 5 6\n"));
  EXPECT_FALSE(printerOf("printer 9 portrait\nprinter-caps 1 2 3 4 5 6\nprinter none\n"));
  for (const char* text : {"printer-caps 1 2 3 4 5 6\nprinter 8 landscape\n",
                           "printer 8 landscape\nprinter-caps 1 2 3 4 5 6\n"}) {
    const auto printer = printerOf(text);
    ASSERT_TRUE(printer) << text;
    EXPECT_EQ(printer->paper, 8) << text;
    EXPECT_EQ(printer->orientation, 2) << text;
    EXPECT_EQ(printer->offsetX, 1) << text;
    EXPECT_EQ(printer->vertSizeMm, 6) << text;
  }
}

TEST(FinalState, TheKeptErrorReporterIsShownApartFromTheObjectsStillHeld) {
  const struct {
    const char* script;
    bool reporterKept;
  } cases[] = {{"start\nclick cmdCancel\n", false},
               {"satellite 1033 absent\nstart\nclick cmdCancel\n", true}};
  for (const auto& c : cases) {
    const RunResult r = run(c.script);
    const nlohmann::json& host = r.finalState["host"];
    EXPECT_EQ(host["liveObjects"], 0) << c.script;
    EXPECT_EQ(host.value("errorReporterKept", nlohmann::json()), c.reporterKept) << c.script;
  }
}

}  // namespace
}  // namespace session
