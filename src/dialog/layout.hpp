#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "ui/control.hpp"
#include "ui/engine.hpp"
#include "ui/font.hpp"
#include "ui/form.hpp"
#include "ui/host_control_site.hpp"

namespace dialog::layout {

inline constexpr std::int32_t kHelpContextId = 61191;

// Flags of a control in the layout.
namespace flag {
inline constexpr unsigned kHelp = 1u << 0;     // carries the dialog's help context
inline constexpr unsigned kDefault = 1u << 1;  // the default button (Enter)
inline constexpr unsigned kCancel = 1u << 2;   // the cancel button (Esc)
inline constexpr unsigned kDisabled = 1u << 3;
inline constexpr unsigned kHidden = 1u << 4;
inline constexpr unsigned kNoTabStop = 1u << 5;
inline constexpr unsigned kDropDownList = 1u << 6;  // a list the user picks from, no typing
inline constexpr unsigned kOnTop = 1u << 7;         // drawn above the controls it overlaps
}  // namespace flag

// One control of the dialog, as designed. Geometry in twips, relative to the container's client
// area; `container` is empty for the dialog itself.
struct ControlSpec {
  std::string_view name;
  std::int16_t index;  // in its control array; -1 when not in one
  ui::ControlKind kind;
  std::string_view container;
  std::int32_t left, top, width, height;
  std::int16_t tabIndex;
  std::string_view text;  // caption or text at design time
  unsigned flags;
  ui::Alignment alignment;
  std::string_view progId;                  // host controls only
  std::span<const std::uint8_t> persisted;  // host controls only: their own opaque state

  bool has(unsigned f) const { return (flags & f) != 0; }
};

// The dialog window.
struct WindowSpec {
  std::string_view name;
  std::string_view caption;
  ui::WindowStyle style;
  std::int32_t helpContextId;
  ui::Font font;  // the design-time font of the window and its controls
};

const WindowSpec& window();
// Every control, in creation order (the order of the form's control collection).
std::span<const ControlSpec> controls();

// Builds the dialog `frmMain`, not yet loaded, with all its design-time state.
std::unique_ptr<ui::Form> buildMainForm(ui::Engine& engine, ui::HostControlFactory& hostControls);

}  // namespace dialog::layout
