#include "platform/resource_script.hpp"

#include <cctype>
#include <cstddef>
#include <vector>

namespace portable {
namespace {

struct Token {
  enum class Kind { Word, String, Punct } kind;
  std::string text;  // a word as written, a string decoded to UTF-8, or one punctuation character
};

bool isWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : s_(text) {}

  // All tokens, or nothing when the script cannot be read.
  std::optional<std::vector<Token>> run() {
    std::vector<Token> tokens;
    bool lineStart = true;
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (c == '\n') {
        lineStart = true;
        ++i_;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++i_;
      } else if (c == '#' && lineStart) {
        skipLine();
      } else if (startsWith("//")) {
        skipLine();
      } else if (startsWith("/*")) {
        const std::size_t end = s_.find("*/", i_ + 2);
        if (end == std::string_view::npos) return std::nullopt;
        i_ = end + 2;
      } else if (c == '"' || ((c == 'L' || c == 'l') && i_ + 1 < s_.size() && s_[i_ + 1] == '"')) {
        const bool wide = c != '"';
        i_ += wide ? 2 : 1;
        std::optional<std::string> text = readString(wide);
        if (!text) return std::nullopt;
        tokens.push_back({Token::Kind::String, std::move(*text)});
        lineStart = false;
      } else if (isWordChar(c)) {
        const std::size_t start = i_;
        while (i_ < s_.size() && isWordChar(s_[i_])) ++i_;
        tokens.push_back({Token::Kind::Word, std::string(s_.substr(start, i_ - start))});
        lineStart = false;
      } else {
        tokens.push_back({Token::Kind::Punct, std::string(1, c)});
        ++i_;
        lineStart = false;
      }
    }
    return tokens;
  }

 private:
  bool startsWith(std::string_view prefix) const { return s_.substr(i_).starts_with(prefix); }

  void skipLine() {
    while (i_ < s_.size() && s_[i_] != '\n') ++i_;
  }

  // After the opening quote; leaves i_ after the closing one.
  std::optional<std::string> readString(bool wide) {
    std::string out;
    while (true) {
      if (i_ >= s_.size() || s_[i_] == '\n') return std::nullopt;  // unterminated
      const char c = s_[i_++];
      if (c == '"') {
        if (i_ < s_.size() && s_[i_] == '"') {  // "" stands for one quote
          out.push_back('"');
          ++i_;
          continue;
        }
        return out;
      }
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (i_ >= s_.size()) return std::nullopt;
      const char e = s_[i_++];
      switch (e) {
        case 'n':
          out.push_back('\n');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 'a':
          out.push_back('\a');
          break;
        case '\\':
          out.push_back('\\');
          break;
        case '"':
          out.push_back('"');
          break;
        case 'x':
        case 'X': {
          std::uint32_t value = 0;
          int digits = 0;
          const int maxDigits = wide ? 4 : 2;
          while (digits < maxDigits && i_ < s_.size() && hexValue(s_[i_]) >= 0) {
            value = value * 16 + static_cast<std::uint32_t>(hexValue(s_[i_++]));
            ++digits;
          }
          if (digits == 0) {
            out += "\\";
            out.push_back(e);
          } else {
            appendUtf8(out, value);
          }
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            std::uint32_t value = static_cast<std::uint32_t>(e - '0');
            int digits = 1;
            while (digits < 3 && i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '7') {
              value = value * 8 + static_cast<std::uint32_t>(s_[i_++] - '0');
              ++digits;
            }
            appendUtf8(out, value);
          } else {
            // The resource compiler keeps an unknown escape as written.
            out.push_back('\\');
            out.push_back(e);
          }
      }
    }
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

// A string identifier: decimal or 0x hexadecimal, 0 to 65535.
std::optional<std::uint16_t> parseIdentifier(std::string_view word) {
  unsigned base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty() || word.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : word) {
    const int digit = hexValue(c);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<std::uint32_t>(digit);
  }
  if (value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool isWord(const Token& t, std::string_view word) {
  return t.kind == Token::Kind::Word && equalsIgnoringCase(t.text, word);
}

bool isPunct(const Token& t, char c) {
  return t.kind == Token::Kind::Punct && t.text.size() == 1 && t.text[0] == c;
}

}  // namespace

std::optional<StringTable> parseResourceScript(std::string_view script) {
  std::optional<std::vector<Token>> lexed = Lexer(script).run();
  if (!lexed) return std::nullopt;
  const std::vector<Token>& tokens = *lexed;

  StringTable table;
  bool found = false;
  std::size_t k = 0;
  while (k < tokens.size()) {
    if (!isWord(tokens[k++], "STRINGTABLE")) continue;
    found = true;
    // Optional statements (LANGUAGE, CHARACTERISTICS, VERSION) up to the block's start.
    while (k < tokens.size() && !isWord(tokens[k], "BEGIN") && !isPunct(tokens[k], '{')) ++k;
    if (k == tokens.size()) return std::nullopt;
    ++k;
    while (true) {
      if (k == tokens.size()) return std::nullopt;  // the block never ends
      if (isWord(tokens[k], "END") || isPunct(tokens[k], '}')) {
        ++k;
        break;
      }
      if (tokens[k].kind != Token::Kind::Word) return std::nullopt;
      const std::optional<std::uint16_t> id = parseIdentifier(tokens[k++].text);
      if (!id || table.contains(*id)) return std::nullopt;
      if (k < tokens.size() && isPunct(tokens[k], ',')) ++k;
      if (k == tokens.size() || tokens[k].kind != Token::Kind::String) return std::nullopt;
      std::string text;
      while (k < tokens.size() && tokens[k].kind == Token::Kind::String) text += tokens[k++].text;
      table.emplace(*id, std::move(text));
    }
  }
  if (!found) return std::nullopt;
  return table;
}

}  // namespace portable
