#pragma once

#include <windows.h>

#include <deque>
#include <filesystem>
#include <ios>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "events/help_call.hpp"
#include "session_world.hpp"
#include "ui/headless_engine.hpp"
#include "windows/app/dialog_mirror.hpp"
#include "windows/app/help_file_setting.hpp"
#include "windows/app/program_input.hpp"
#include "windows/app/program_thread.hpp"
#include "windows/app/session_printer.hpp"
#include "windows/handles/apartment.hpp"
#include "world_settings.hpp"

namespace windows {

// A session played on the desktop program (its host, main window and view, with the product
// DLL) from outside, as a person uses it: the program runs on a thread of its own, and the
// session's input is played from the runner's thread as real input through the system's input
// queue, each action waited for until the program has handled it. What the session reports is
// read from outside: the dialog, message boxes and focus from the windows on screen; the sheet,
// status, undo history, overlay and reports from the host's own objects; help calls from the
// record a help library of the test system's own keeps (the file QUADRIFT_HELP_RECORD names,
// when one is installed). Input the windows would not take is refused with the reason the
// headless engine gives, decided from what the windows show. What only the component knows
// (its setup history and run flags) cannot be observed.
class DesktopWorld final : public ::session::SessionWorld {
 public:
  // `dll` is the product DLL, with its satellites beside it. Throws session::WorldUnavailable
  // when there is no display or the program cannot start.
  DesktopWorld(::session::WorldSettings settings, const std::filesystem::path& dll,
               std::unique_ptr<SessionPrinter> printer);
  ~DesktopWorld() override;
  DesktopWorld(const DesktopWorld&) = delete;
  DesktopWorld& operator=(const DesktopWorld&) = delete;

  const portable::EventLog& events() const override { return events_; }
  refhost::ReferenceHost& host() override { return program_->host(); }
  void post(portable::UserAction action) override { queue_.push_back(std::move(action)); }
  void runUntilIdle() override;
  void start() override;
  void end() override;
  nlohmann::json componentState() override;
  bool observes(std::string_view subject) const override;

  // Writes PNG pictures into `folder` as the session runs: the dialog as start-up shows it
  // ("dialog.png") and the host's view, fitted, after each mouse move ("placement.png").
  void takeScreenshots(std::filesystem::path folder);
  // Whether every picture asked for so far was written; each failure is said on stderr.
  bool screenshotsWritten() const { return screenshotsWritten_; }

 private:
  HWND dialogWindow() const;
  HWND messageBoxWindow() const;
  HWND focusWindow() const;
  // Reads what the windows show now, and logs what changed: the dialog shown or hidden, a
  // message box come up, help asked for.
  void observe();
  void readHelpRecord();
  // Waits until the window the user works in (a message box, the dialog, else the main window)
  // is the foreground window and takes input.
  void awaitForeground();
  void play(const portable::UserAction& action);
  void playInBox(const portable::UserAction& action, HWND box);
  void playInView(const portable::UserAction& action);
  void playInDialog(const portable::UserAction& action);
  void clickOrFocus(const portable::UserAction& action, ui::Control& control);
  // A click or focus whose outcome is known: whether it reached its control.
  struct AimedInput {
    portable::UserAction action;
    std::string control;  // qualified name
    HWND window = nullptr;
    std::size_t clicksBefore = 0;
  };
  void settle(const AimedInput& aimed);
  void pick(const portable::UserAction& action, ui::ComboBox& list);
  void send(std::vector<INPUT> inputs, const portable::UserAction& action);
  void refuse(const portable::UserAction& action, std::string reason);
  void screenshot(HWND window, const char* name);

  std::unique_ptr<SessionPrinter> printer_;       // restored last
  ComApartment apartment_{COINIT_MULTITHREADED};  // the runner's thread, for its pictures
  ::session::WorldSettings settings_;
  portable::EventLog events_;  // outlives everything that logs to it
  std::optional<std::filesystem::path> privateFolder_;
  std::optional<HelpFileSetting> helpFile_;
  std::filesystem::path helpRecord_;
  std::unique_ptr<ProgramThread> program_;
  std::unique_ptr<ProgramInput> input_;
  DialogMirror mirror_;
  std::deque<portable::UserAction> queue_;
  std::vector<portable::HeadlessEngine::MessageBoxShown> boxes_;
  std::vector<portable::HeadlessEngine::Refused> refused_;
  std::vector<portable::HelpCall> help_;
  std::streamoff helpRecordRead_ = 0;  // the help record's bytes read so far
  HWND boxSeen_ = nullptr;
  // A click or focus whose focus events opened a message box: settled once the box is answered,
  // as the dialog learns then whether the focus reached the control.
  std::optional<AimedInput> unsettled_;
  bool dialogShown_ = false;
  std::optional<std::filesystem::path> screenshots_;
  bool dialogPictured_ = false;
  bool screenshotsWritten_ = true;
};

}  // namespace windows
