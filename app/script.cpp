#include "script.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "state_json.hpp"
#include "subject.hpp"
#include "ui/key_names.hpp"

namespace session {
namespace {

std::string lowered(std::string_view word) {
  std::string out(word);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct Token {
  std::string text;
  bool quoted = false;
};

class Line {
 public:
  Line(const std::string& file, int number, std::vector<Token> tokens)
      : file_(file), number_(number), tokens_(std::move(tokens)) {}

  [[noreturn]] void fail(const std::string& message) const {
    throw ScriptError(file_, number_, message);
  }
  std::size_t size() const { return tokens_.size(); }
  const std::string& word(std::size_t i) const {
    if (i >= tokens_.size()) fail("'" + tokens_[0].text + "' is missing an argument");
    return tokens_[i].text;
  }
  void expectCount(std::size_t n) const {
    if (tokens_.size() < n) fail("'" + tokens_[0].text + "' is missing an argument");
    if (tokens_.size() > n) fail("unexpected '" + tokens_[n].text + "'");
  }
  // A word of the language, in lower case: the language's words match in any case.
  std::string keyword(std::size_t i) const { return lowered(word(i)); }
  // The dialog's control that word `i` names, as the dialog spells it.
  std::string control(std::size_t i) const {
    const auto name = controlNamed(word(i));
    if (!name) fail("the dialog has no control named '" + word(i) + "'");
    return *name;
  }
  std::string quoted(std::size_t i) const {
    if (i >= tokens_.size() || !tokens_[i].quoted) fail("expected a string in double quotes");
    return tokens_[i].text;
  }
  double number(std::size_t i) const {
    const std::string& w = word(i);
    double v = 0;
    const char* first = w.data();
    if (!w.empty() && w[0] == '+') ++first;
    auto [end, ec] = std::from_chars(first, w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size() || !std::isfinite(v) || tokens_[i].quoted) {
      fail("'" + w + "' is not a number");
    }
    return v;
  }
  long integer(std::size_t i, long min, long max) const {
    const std::string& w = word(i);
    long v = 0;
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size() || tokens_[i].quoted) {
      fail("'" + w + "' is not a whole number");
    }
    if (v < min || v > max) {
      fail("'" + w + "' is out of range (" + std::to_string(min) + " to " + std::to_string(max) +
           ")");
    }
    return v;
  }

 private:
  const std::string& file_;
  int number_;
  std::vector<Token> tokens_;
};

std::vector<Token> tokenize(std::string_view text, const std::string& file, int line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      Token t{"", true};
      ++i;
      bool closed = false;
      while (i < text.size()) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
          t.text += text[i + 1];
          i += 2;
        } else if (text[i] == '"') {
          closed = true;
          ++i;
          break;
        } else {
          t.text += text[i++];
        }
      }
      if (!closed) throw ScriptError(file, line, "unterminated string");
      tokens.push_back(std::move(t));
    } else {
      Token t;
      while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
             text[i] != '"' && text[i] != '#') {
        t.text += text[i++];
      }
      tokens.push_back(std::move(t));
    }
  }
  return tokens;
}

int paperUnitCode(const Line& l, const std::string& written) {
  const std::string w = lowered(written);
  if (w == "in") return 0;
  if (w == "mm") return 1;
  if (w == "cm") return 2;
  l.fail("paper unit must be in, mm or cm, not '" + w + "'");
}

Action parseSheet(const Line& l) {
  const std::string what = l.keyword(1);
  if (what == "size") {
    l.expectCount(3);
    return SetSheetSize{static_cast<int>(l.integer(2, 0, 47))};
  }
  if (what == "printer") {
    l.expectCount(2);
    return SetSheetSize{-1};
  }
  if (what == "custom") {
    l.expectCount(4);
    return SetSheetSize{-2, l.number(2), l.number(3)};
  }
  if (what == "scale") {
    if (l.keyword(2) == "full") {
      l.expectCount(3);
      return SetSheetScale{-1};
    }
    if (l.keyword(2) == "custom") {
      l.expectCount(5);
      return SetSheetScale{0, l.number(3), l.number(4)};
    }
    l.expectCount(3);
    return SetSheetScale{static_cast<int>(l.integer(2, 1, 45))};
  }
  if (what == "origin") {
    l.expectCount(4);
    return SetSheetOrigin{l.number(2), l.number(3)};
  }
  l.fail("'sheet' takes size, printer, custom, scale or origin, not '" + l.word(1) + "'");
}

Action parsePrinter(const Line& l) {
  if (l.keyword(1) == "none") {
    l.expectCount(2);
    return SetPrinter{false};
  }
  l.expectCount(3);
  const auto paper = static_cast<std::int16_t>(l.integer(1, -32768, 32767));
  const std::string o = l.keyword(2);
  if (o != "portrait" && o != "landscape") l.fail("orientation must be portrait or landscape");
  return SetPrinter{true, paper, static_cast<std::int16_t>(o == "portrait" ? 1 : 2)};
}

Action parseFail(const Line& l) {
  const std::string& target = l.word(1);
  const auto dot = target.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == target.size()) {
    l.fail("'fail' takes Object.Member, e.g. HostSheet.30");
  }
  InjectFault f{target.substr(0, dot), target.substr(dot + 1), std::nullopt};
  if (l.size() > 2) {
    l.expectCount(4);
    if (l.keyword(2) != "call") l.fail("expected 'call N' after the member");
    f.nth = static_cast<int>(l.integer(3, 1, 1000000));
  }
  return f;
}

// A key as the language spells it: one of the dialog's keys (Tab, Shift+Tab, Enter, Esc, the
// arrows), or Alt+ and a letter or digit.
std::string keyNamed(const Line& l, const std::string& written) {
  for (int k = 0; k <= static_cast<int>(ui::kLastKey); ++k) {
    const std::string_view name = portable::keyName(static_cast<ui::Key>(k));
    if (sameName(written, name)) return std::string(name);
  }
  if (written.size() == 5 && sameName(written.substr(0, 4), "Alt+") &&
      std::isalnum(static_cast<unsigned char>(written[4]))) {
    return "Alt+" +
           std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(written[4]))));
  }
  l.fail("unknown key '" + written + "' (" + portable::keyNameList() + ", Alt+X)");
}

Action parseExpect(const Line& l) {
  // expect SUBJECT = VALUE
  if (l.size() != 4 || l.word(2) != "=") l.fail("'expect' takes SUBJECT = VALUE");
  try {
    subjectValue(stateSchema(), l.word(1));
  } catch (const std::invalid_argument& wrong) {
    l.fail(wrong.what());
  }
  return Expect{l.word(1), l.word(3)};
}

using Parser = std::function<Action(const Line&)>;

const std::map<std::string, std::pair<bool, Parser>, std::less<>>& parsers() {
  // The flag says whether the statement belongs to the run (after `start`).
  static const std::map<std::string, std::pair<bool, Parser>, std::less<>> table = {
      {"locale",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return SetLocale{static_cast<std::uint32_t>(l.integer(1, 1, 0xFFFF))};
        }}},
      {"paper-unit",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return SetPaperUnit{paperUnitCode(l, l.word(1))};
        }}},
      {"document-unit",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(3);
          const std::string u = l.keyword(1);
          if (u != "in" && u != "ft" && u != "mm" && u != "cm" && u != "m") {
            l.fail("document unit must be in, ft, mm, cm or m");
          }
          return SetDocumentUnit{u, static_cast<int>(l.integer(2, 0, 10))};
        }}},
      {"sheet", {false, parseSheet}},
      {"printer", {false, parsePrinter}},
      {"printer-caps",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(7);
          auto n = [&l](std::size_t i) {
            return static_cast<std::int32_t>(l.integer(i, -100000000, 100000000));
          };
          return SetPrinterCaps{n(1), n(2), n(3), n(4), n(5), n(6)};
        }}},
      {"help-file",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return SetHelpFile{l.quoted(1)};
        }}},
      {"satellite",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(3);
          if (l.keyword(2) != "absent") l.fail("'satellite' takes a locale id and 'absent'");
          return SetSatelliteAbsent{static_cast<std::uint32_t>(l.integer(1, 1, 0xFFFF))};
        }}},
      {"undo-depth",
       {false,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return SetUndoDepth{static_cast<std::int16_t>(l.integer(1, 0, 32767))};
        }}},
      {"fail", {false, parseFail}},
      {"start",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(1);
          return Start{};
        }}},
      {"click",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return Click{l.control(1)};
        }}},
      {"pick",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(3);
          return Pick{l.control(1), static_cast<int>(l.integer(2, -1, 32767))};
        }}},
      {"focus",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return Focus{l.control(1)};
        }}},
      {"type",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return Type{l.quoted(1)};
        }}},
      {"key",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return Key{keyNamed(l, l.word(1))};
        }}},
      {"answer",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(1);
          return Answer{};
        }}},
      {"close",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(1);
          return Close{};
        }}},
      {"mouse",
       {true,
        [](const Line& l) -> Action {
          if (l.keyword(1) == "move") {
            l.expectCount(4);
            return MouseMove{l.number(2), l.number(3)};
          }
          if (l.keyword(1) == "click") {
            l.expectCount(5);
            return MouseClick{static_cast<int>(l.integer(2, -32768, 32767)), l.number(3),
                              l.number(4)};
          }
          l.fail("'mouse' takes move X Y or click BUTTON X Y");
        }}},
      {"expect", {true, parseExpect}},
      {"snapshot",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(2);
          return Snapshot{l.quoted(1)};
        }}},
      {"end",
       {true,
        [](const Line& l) -> Action {
          l.expectCount(1);
          return End{};
        }}},
  };
  return table;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

Script parseScript(std::string_view text, const std::string& file) {
  Script script{file, {}};
  bool started = false;
  bool ended = false;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const auto newline = text.find('\n');
    const std::string_view raw = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);

    std::vector<Token> tokens = tokenize(raw, file, lineNumber);
    if (tokens.empty()) continue;
    if (tokens[0].quoted) throw ScriptError(file, lineNumber, "a statement starts with a word");
    const std::string name = lowered(tokens[0].text);
    const auto it = parsers().find(name);
    if (it == parsers().end()) {
      throw ScriptError(file, lineNumber, "unknown statement '" + tokens[0].text + "'");
    }
    const auto& [isRun, parse] = it->second;
    if (ended) throw ScriptError(file, lineNumber, "nothing may follow 'end'");
    if (isRun && !started && name != "start") {
      throw ScriptError(file, lineNumber, "'" + tokens[0].text + "' needs 'start' first");
    }
    if (!isRun && started) {
      throw ScriptError(
          file, lineNumber,
          "'" + tokens[0].text + "' sets up the environment and must come before 'start'");
    }
    if (name == "start") {
      if (started) throw ScriptError(file, lineNumber, "'start' may appear only once");
      started = true;
    }
    if (name == "end") ended = true;
    std::string source(raw);
    while (!source.empty() && (source.back() == '\r' || source.back() == ' ')) source.pop_back();
    script.statements.push_back(
        {lineNumber, std::move(source), parse(Line(file, lineNumber, std::move(tokens)))});
  }
  return script;
}

}  // namespace session
