#pragma once

#include <windows.h>

#include <exception>
#include <optional>

#include "reference_host.hpp"
#include "view_transform.hpp"
#include "windows/handles/window.hpp"
#include "windows/host/session_objects.hpp"
#include "windows/ui/real_input.hpp"

namespace windows {

// The host's view as a real window, for a session whose dialog runs on real windows: the
// session's mouse input reaches the view as real input, and the view hands what it receives to
// the host in model metres, as the desktop program's view does. Before each input the view is
// panned so that the input's model point lies at its upper left pixel, whose point the view's
// transform gives back exactly, and the pointer comes from outside the view. A click is the
// click alone: the move that brings the pointer to it is not passed on, as the script asked for
// none. While the command's mouse control is disabled the view passes nothing on, and the host
// refuses the input as the headless view has it refuse. The window draws the host's scene.
class ScreenHostView final : public host::ReferenceHostView {
 public:
  // The sentinel key this view's input is followed by (see RealInput).
  static constexpr WORD kSentinelKey = VK_F23;

  explicit ScreenHostView(refhost::ReferenceHost& host);
  ScreenHostView(const ScreenHostView&) = delete;
  ScreenHostView& operator=(const ScreenHostView&) = delete;

  HWND window() const { return window_; }
  // Fits the scene into the view and draws it at once (for a picture of it).
  void showWhole();

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void dispatch(MSG& message);
  bool deliver(std::vector<INPUT> inputs, std::optional<std::int16_t> button, double x, double y);

  HWND window_ = nullptr;  // learnt at WM_NCCREATE
  ::session::ViewTransform view_;
  RealInput input_;
  // What the view waits for: a move, or a click with its button; and whether the host took it.
  std::optional<std::int16_t> awaitedClick_;
  bool awaitingMove_ = false;
  bool delivered_ = false;
  std::exception_ptr pending_;     // thrown in the window procedure, rethrown by the pump
  UniqueOwnedWindow ownedWindow_;  // window_, destroyed first when the view goes
};

}  // namespace windows
