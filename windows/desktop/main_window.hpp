#pragma once

#include <windows.h>

#include <memory>

#include "windows/desktop/owned_window.hpp"
#include "windows/desktop/view_window.hpp"
#include "windows/handles/window.hpp"
#include "windows/host/com_host.hpp"

namespace windows::desktop {

// The menu and toolbar commands of the main window.
enum Command : WORD {
  kCommandMoveSheetBorder = 100,
  kCommandUndo,
  kCommandRedo,
  kCommandZoomIn,
  kCommandZoomOut,
  kCommandFit,
  kCommandExit,
};

// The reference host's main window: a menu (File, Edit with Undo and Redo, View with zoom and
// Fit, Command with Move Sheet Border), a toolbar button for the command, the view, and a
// status bar whose first part is the host's status text and whose second says how the last
// command ended. Its handle is the application's window handle the component is given. The
// view and the status bar follow every change of what the host shows.
class MainWindow {
 public:
  explicit MainWindow(host_classes::ComHost& host);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_; }
  HWND statusBar() const { return status_; }
  HACCEL accelerators() const { return accelerators_.get(); }
  ViewWindow& view() { return *view_; }
  // The program's message loop, with the window's keyboard shortcuts, until the thread is told
  // to quit; returns the quit code.
  int runMessageLoop();

 private:
  friend LRESULT CALLBACK ownedWindowProcedure<MainWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void create();
  void command(WORD id);
  void layout();
  void updateMenu();
  void hostChanged();

  // Destroyed in the reverse order: the view, the window with its bars, the accelerators.
  host_classes::ComHost& desktop_;
  HWND window_ = nullptr;  // learnt at WM_NCCREATE
  HWND toolbar_ = nullptr;
  HWND status_ = nullptr;
  UniqueAccelerators accelerators_;
  UniqueOwnedWindow ownedWindow_;  // window_
  std::unique_ptr<ViewWindow> view_;
};

}  // namespace windows::desktop
