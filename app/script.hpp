#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace session {

// A script error: file, line and what is wrong. Nothing of a script runs past one.
struct ScriptError : std::runtime_error {
  ScriptError(const std::string& file, int lineNumber, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(lineNumber) + ": " + message),
        line(lineNumber) {}
  int line;
};

// Environment statements (before `start`).
struct SetLocale {
  std::uint32_t lcid;
};
struct SetPaperUnit {
  int code;
};  // 0 in, 1 mm, 2 cm
struct SetDocumentUnit {
  std::string unit;
  int decimals;
};
struct SetSheetSize {
  int index;
  double width = 0, height = 0;
};  // -1 printer, -2 custom
struct SetSheetScale {
  int mode;
  double paper = 0, model = 0;
};  // -1 full, 0 custom
struct SetSheetOrigin {
  double x, y;
};
struct SetPrinter {
  bool present;
  std::int16_t paper = 0;
  std::int16_t orientation = 1;
};
struct SetPrinterCaps {
  std::int32_t offX, offY, physW, physH, horzMm, vertMm;
};
struct SetHelpFile {
  std::string path;
};
struct SetSatelliteAbsent {
  std::uint32_t lcid;
};
struct SetUndoDepth {
  std::int16_t depth;
};
struct InjectFault {
  std::string object, member;
  std::optional<int> nth;
};

// The run.
struct Start {};
struct Click {
  std::string control;
};
struct Pick {
  std::string control;
  int index;
};
struct Focus {
  std::string control;
};
struct Type {
  std::string text;
};
struct Key {
  std::string key;
};
struct Answer {};
struct Close {};
struct MouseMove {
  double x, y;
};
struct MouseClick {
  int button;
  double x, y;
};
struct Expect {
  std::string subject;
  std::string value;
};  // value as written, unquoted
struct Snapshot {
  std::string name;
};
struct End {};

using Action =
    std::variant<SetLocale, SetPaperUnit, SetDocumentUnit, SetSheetSize, SetSheetScale,
                 SetSheetOrigin, SetPrinter, SetPrinterCaps, SetHelpFile, SetSatelliteAbsent,
                 SetUndoDepth, InjectFault, Start, Click, Pick, Focus, Type, Key, Answer, Close,
                 MouseMove, MouseClick, Expect, Snapshot, End>;

struct Statement {
  int line;
  std::string source;  // the statement as written, for the transcript
  Action action;
};

struct Script {
  std::string file;
  std::vector<Statement> statements;
};

// Parses and checks a whole script; throws ScriptError at the first wrong statement. Environment
// statements come before `start`, run statements after it. Everything a run would find wrong is
// found here, before anything runs: every word, key name, control name and `expect` subject.
// Names match in any case, as the dialog's own do; control and key names are kept as the
// dialog and the language spell them ("click CMDOK" clicks "cmdOK", "key shift+tab" is
// "Shift+Tab").
Script parseScript(std::string_view text, const std::string& file);

// Whether two names of the language are the same, in any case (ASCII).
bool sameName(std::string_view a, std::string_view b);

}  // namespace session
