#include "platform/i18n_font.hpp"

#include <array>
#include <cstring>
#include <string>

namespace platform {

namespace {
constexpr std::string_view kIdent = "MI18NUtilities:SetInternationalizeFont()";
constexpr int kFaceBufferSize = 80;
}  // namespace

std::optional<LocaleFont> localeFontFor(std::uint32_t lcid) {
  switch (lcid) {
    case 1028:                    // Chinese, Taiwan
    case 3076:                    // Chinese, Hong Kong
    case 4100:                    // Chinese, Singapore
      return LocaleFont{136, 9};  // CHINESEBIG5_CHARSET
    case 1041:                    // Japanese
      return LocaleFont{128, 9};  // SHIFTJIS_CHARSET
    case 1042:                    // Korean
      return LocaleFont{129, 9};  // HANGUL_CHARSET
    case 2052:                    // Chinese, People's Republic
      return LocaleFont{134, 9};  // GB2312_CHARSET
    case 2066:                    // Korean, Johab
      return LocaleFont{130, 9};  // JOHAB_CHARSET
    default:
      return std::nullopt;
  }
}

void SetInternationalizeFont(ui::Form& form, System& system, automation::FailureSink& sink) {
  Handle window = 0;
  Handle dc = 0;
  Handle oldFont = 0;
  bool haveDc = false;
  bool fontSelected = false;

  automation::guarded(sink, kIdent, [&] {
    const std::vector<ui::Control*>& controls = form.controls();
    window = form.hWnd();
    dc = system.GetDC(window);
    haveDc = true;

    oldFont = system.SelectObject(dc, system.GetStockObject(kDefaultGuiFont));
    fontSelected = true;

    // The face name: at most 79 characters and a NUL; the text ends at its first NUL (and never
    // runs past the buffer, whatever the call left in it).
    std::array<char, kFaceBufferSize> buffer{};
    system.GetTextFaceA(dc, kFaceBufferSize, buffer.data());
    const std::string face =
        system.FromAnsi(std::string(buffer.data(), ::strnlen(buffer.data(), buffer.size())));

    form.font().name = face;
    form.font().size = kFormFontSize;

    const std::uint32_t lcid = system.GetUserDefaultLCID();
    const std::optional<LocaleFont> localeFont = localeFontFor(lcid);

    for (ui::Control* control : controls) {
      automation::Suppressed noFont;
      noFont.step([&] { control->font().name = face; });
      if (noFont.failed()) continue;  // a control without a font
      ui::Font& font = control->font();
      if (localeFont) {
        font.charset = localeFont->charset;
        font.size = localeFont->size;
      } else {
        font.charset = kDefaultCharset;
      }
    }
  });

  if (fontSelected) system.SelectObject(dc, oldFont);
  if (haveDc) system.ReleaseDC(window, dc);
}

}  // namespace platform
