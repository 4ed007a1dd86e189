#pragma once

#include <windows.h>

#include <optional>

#include "reference_host.hpp"
#include "view_transform.hpp"
#include "windows/desktop/owned_window.hpp"
#include "windows/handles/window.hpp"

namespace windows::desktop {

// The host's view as a child window: the scene drawn as the view transform shows it, zoomed by
// the wheel (about the cursor) and panned by a drag or the scroll bars. While a command takes
// the view's mouse (its mouse control enabled), moves and left and right clicks go to the host
// as model points; otherwise a left drag pans, as a middle drag always does.
class ViewWindow {
 public:
  static constexpr double kZoomStep = 1.25;

  ViewWindow(HWND parent, refhost::ReferenceHost& host);
  ViewWindow(const ViewWindow&) = delete;
  ViewWindow& operator=(const ViewWindow&) = delete;

  HWND handle() const { return window_; }
  const session::ViewTransform& transform() const { return view_; }
  // Shows the scene's extent whole; until the user zooms or pans, a resize fits it again.
  void fit();
  // Pans so that the model point (x, y) lies at the view's upper left pixel, which gives it back
  // exactly: where a session's runner puts a scripted point under the pointer.
  void showAtCorner(double x, double y);
  // Zooms about the window's centre.
  void zoom(double factor);
  // Redraws the view and sets the scroll bars after the host changed what it shows.
  void refresh();

 private:
  friend LRESULT CALLBACK ownedWindowProcedure<ViewWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void paint();
  void mouse(UINT message, int x, int y);
  void scroll(int bar, WPARAM w);
  void updateScrollBars();
  SIZE clientSize() const;

  refhost::ReferenceHost& host_;
  HWND window_ = nullptr;  // learnt at WM_NCCREATE
  session::ViewTransform view_;
  bool userMoved_ = false;  // zoomed or panned since the last fit
  std::optional<POINT> dragFrom_;
  UniqueOwnedWindow ownedWindow_;  // window_, destroyed first when the view goes
};

}  // namespace windows::desktop
