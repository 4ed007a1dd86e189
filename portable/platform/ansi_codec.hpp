#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace portable {

// Converts between UTF-8 and a Windows ANSI code page with the C library's iconv, the way
// WideCharToMultiByte and MultiByteToWideChar do with their default character: whatever the
// other side cannot represent (or malformed input) becomes "?". Holds two conversion
// descriptors for its lifetime; not copyable.
class AnsiCodec {
 public:
  explicit AnsiCodec(std::uint32_t codePage);
  ~AnsiCodec();
  AnsiCodec(const AnsiCodec&) = delete;
  AnsiCodec& operator=(const AnsiCodec&) = delete;

  std::uint32_t codePage() const { return codePage_; }

  // UTF-8 to ANSI. When `characterStarts` is given, it receives the byte offset in the result at
  // which each character begins, followed by the result's length, so that a caller can cut the
  // text without splitting a multi-byte character.
  std::string toAnsi(std::string_view utf8, std::vector<std::size_t>* characterStarts = nullptr);
  // ANSI to UTF-8.
  std::string fromAnsi(std::string_view ansi);

 private:
  std::uint32_t codePage_;
  void* toAnsi_ = nullptr;    // iconv_t, UTF-8 to the code page; null if iconv lacks it
  void* fromAnsi_ = nullptr;  // iconv_t, the code page to UTF-8
};

}  // namespace portable
