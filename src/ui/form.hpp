#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.hpp"
#include "ui/engine.hpp"
#include "ui/font.hpp"
#include "ui/host_control.hpp"
#include "ui/host_control_site.hpp"

namespace ui {

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };
enum class StartUpPosition { Manual, CenterOwner, CenterScreen, WindowsDefault };
enum class ShowMode { Modeless, Modal };
enum class Key { Tab, ShiftTab, Enter, Escape, Up, Down, Left, Right, Space, F1 };
inline constexpr Key kLastKey = Key::F1;
inline constexpr bool isArrowKey(Key key) {
  return key >= Key::Up && key <= Key::Right;
}

// Where a close request comes from (QueryUnload's UnloadMode).
inline constexpr std::int16_t kUnloadFromCloseControl = 0;
inline constexpr std::int16_t kUnloadFromCode = 1;

// The window's fixed properties.
struct WindowStyle {
  BorderStyle border = BorderStyle::Sizable;
  bool minButton = true;
  bool maxButton = true;
  bool showInTaskbar = true;
  StartUpPosition startUpPosition = StartUpPosition::WindowsDefault;
  std::int32_t clientWidth = 0;  // twips
  std::int32_t clientHeight = 0;
};

// What became of one piece of user input.
struct InputOutcome {
  enum class Status {
    Applied,       // the input took effect
    NotDelivered,  // the focus moved but a handler kept it elsewhere, so the click was dropped
    Refused,       // the target could not take input; nothing happened
  };
  Status status = Status::Applied;
  std::string note;  // why it was refused or not delivered

  static InputOutcome applied() { return {}; }
  static InputOutcome refused(std::string why) { return {Status::Refused, std::move(why)}; }
  static InputOutcome notDelivered(std::string why) {
    return {Status::NotDelivered, std::move(why)};
  }
};

// The note of a click (or pick) on `aimed` that its focus events kept from it: the focus stayed
// on `holder`.
std::string focusKeptNote(const Control& aimed, const Control* holder);

// A form: a window with controls, kept as a retained model that the component's handlers work
// with and that an `Engine` puts on screen. The form is created unloaded with its design-time
// controls; it loads (windows, host controls, Load event) the first time it is shown, hidden,
// or one of its host controls is reached.
class Form {
 public:
  Form(std::string name, Engine& engine, HostControlFactory& hostControls);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Engine& engine() const { return engine_; }

  // Building (design time), in creation order. Names must be unique (arrays: name and index).
  CommandButton& addCommandButton(std::string name, Frame* container = nullptr);
  OptionButton& addOptionButton(std::string arrayName, std::int16_t index,
                                Frame* container = nullptr);
  ComboBox& addComboBox(std::string name, Frame* container = nullptr);
  TextBox& addTextBox(std::string name, Frame* container = nullptr);
  Label& addLabel(std::string name, Frame* container = nullptr);
  Frame& addFrame(std::string name, Frame* container = nullptr);
  HostControl& addHostControl(std::string name, std::string progId,
                              std::vector<std::uint8_t> persistedState);

  // The control collection, in creation order.
  const std::vector<Control*>& controls() const { return controls_; }
  // By qualified name ("cmdOK", "optSheetSize(2)"); nullptr when there is none.
  Control* findControl(std::string_view qualifiedName) const;
  // By qualified name; fails with 730 when there is none, 13 when it is of another kind.
  Control& control(std::string_view qualifiedName) const;
  CommandButton& button(std::string_view name) const;
  OptionArray& optionArray(std::string_view name) const;
  ComboBox& comboBox(std::string_view name) const;
  TextBox& textBox(std::string_view name) const;
  Label& label(std::string_view name) const;
  Frame& frame(std::string_view name) const;
  HostControl& hostControl(std::string_view name) const;

  // Properties.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  Font& font() { return font_; }
  const Font& font() const { return font_; }
  WindowStyle& style() { return style_; }
  const WindowStyle& style() const { return style_; }
  std::int32_t helpContextId() const { return helpContextId_; }
  void setHelpContextId(std::int32_t id) { helpContextId_ = id; }
  // The window handle; reaching it loads the form.
  WindowHandle hWnd();
  // The window the form's window belongs to on screen (the host's main window): an engine keeps
  // the form above it and, as an owned window, out of the task bar. 0: none. Read when shown.
  WindowHandle ownerWindow() const { return ownerWindow_; }
  void setOwnerWindow(WindowHandle owner) { ownerWindow_ = owner; }
  bool isLoaded() const { return loaded_; }
  bool visible() const { return visible_; }
  bool shownModally() const { return modalDepth_ > 0; }
  // The control that has the focus (kept while the form is hidden), or nullptr.
  Control* activeControl() const { return active_; }

  // Methods.
  void load();  // loads if not loaded; Load is raised once per load
  // Shows the form (loading it first). Modal: runs the engine's modal loop and returns when
  // the form is hidden or unloaded; showing modally a form already shown fails with 400.
  void show(ShowMode mode = ShowMode::Modeless);
  void hide();  // loads the form first if needed; ends a modal loop
  // Unload from code: QueryUnload with UnloadMode 1; unless cancelled, the form unloads.
  // Returns whether it unloaded.
  bool unload();
  // The window's close control: QueryUnload with UnloadMode 0; unless cancelled, the form
  // unloads. Returns whether it unloaded.
  bool requestClose();

  // Events.
  std::function<void()> onLoad;
  std::function<void(std::int16_t& cancel, std::int16_t unloadMode)> onQueryUnload;
  std::function<void()> onUnload;
  // F1: the user asks for help on the focused control's help context (the form's when the
  // control has none).
  std::function<void(std::int32_t helpContextId)> onHelp;

  // User input, as an engine delivers it. Each checks that the target can take input; the
  // focus rules (LostFocus before GotFocus; a click reaches its control only if the focus is
  // still there after the focus events) are applied here, so every engine shares them.
  InputOutcome userClick(Control& control);
  InputOutcome userPick(ComboBox& list, std::int16_t index);
  InputOutcome userFocus(Control& control);
  InputOutcome userType(std::string_view text);
  // Up and Left (Down and Right) move the focus to the previous (next) option of the focused
  // option's group in tab order, wrapping, and select it as a click does; on a list they pick
  // the entry before (after) the selected one. Space presses the focused button. F1 asks for
  // help anywhere in the form.
  InputOutcome userKey(Key key);
  // Alt with `letter`, in either case and any script.
  InputOutcome userAccessKey(char32_t letter);

  // Why `control` cannot take user input now; empty when it can.
  std::string whyNoInput(const Control& control) const;
  // Why the user cannot pick entry `index` of `list` now; empty when they can.
  std::string whyNoPick(const ComboBox& list, std::int16_t index) const;
  // Why typing reaches no text box now; empty when the focused control takes it.
  std::string whyNoTyping() const;
  // Why `key` means nothing now: the arrows need the focus on an option button or a list that
  // takes input, Space on a button, F1 a help context and someone to ask. Empty when it has a
  // meaning (Tab, Enter and Esc: whenever the form is shown).
  std::string whyNoKey(Key key) const;
  // Whether `control` can take the focus now.
  bool canTakeFocus(const Control& control) const;
  // The next (or previous) control that Tab (Shift+Tab) reaches from `from` (nullptr: from
  // the start), skipping labels, frames, non-tab-stops, disabled and hidden controls; of an
  // option group only the selected option (or, with none selected, the first) is a stop.
  Control* nextTabStop(const Control* from, bool forward) const;

  // For engines: the handle an engine gave a control's window.
  static void assignHandle(Control& control, WindowHandle handle) { control.hwnd_ = handle; }

 private:
  friend class Control;
  friend class OptionButton;
  friend class CommandButton;
  template <class T>
  T& typed(std::string_view name, ControlKind kind) const;
  template <class T, class... Args>
  T& adopt(Args&&... args);
  void checkNewName(const std::string& qualifiedName) const;
  void moveFocus(Control* target);
  void focusOnShow();
  bool isTabStopCandidate(const Control& control) const;
  void doUnload();
  void selectOption(OptionButton& option);
  OptionButton& nextInGroup(const OptionButton& from, bool forward) const;
  InputOutcome stepThroughGroup(bool forward);
  InputOutcome stepThroughList(bool forward);
  std::int32_t helpContextHere() const;

  std::string name_;
  Engine& engine_;
  HostControlFactory& hostControls_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> controls_;
  std::vector<std::unique_ptr<OptionArray>> arrays_;

  std::string caption_;
  Font font_;
  WindowStyle style_;
  std::int32_t helpContextId_ = 0;
  WindowHandle hwnd_ = 0;
  WindowHandle ownerWindow_ = 0;
  bool loaded_ = false;
  bool loading_ = false;
  bool visible_ = false;
  int modalDepth_ = 0;
  Control* active_ = nullptr;
  Control* notified_ = nullptr;   // the control whose GotFocus ran last without LostFocus
  std::uint64_t focusMoves_ = 0;  // counts focus changes, so an outer move sees a nested one
};

}  // namespace ui
