#pragma once

// How the reference host's session runner drives the headless engine that runs inside the
// component's test variant, over COM. Shared by that DLL and the host process; nothing else may
// spell these values. A run that cannot go on crosses each boundary of a session as
// windows::kRunAborted (windows/automation/failure_info.hpp).

#include <windows.h>

#include <oaidl.h>

namespace windows::harness {

// The host registers this class while a session runs. The test variant creates it once, when
// the component is first needed, makes its headless engine and calls Attach with its session
// object; with a host without it, the variant runs the dialog as the product DLL does.
inline constexpr wchar_t kSessionDriverProgId[] = L"Quadrift.SessionDriver";
// Members of the host's session driver.
inline constexpr DISPID kDriverAttach = 1;  // method (session: IDispatch)

// Members of the DLL's session object (IDispatch, hand-written Invoke).
inline constexpr DISPID kSessionPost = 1;          // method (kind I4, target BSTR, number I4,
                                                   //         text BSTR, x R8, y R8): queue input
inline constexpr DISPID kSessionPostProbe = 2;     // method (callback IDispatch): queue a probe;
                                                   // its step invokes callback DISPID_VALUE
inline constexpr DISPID kSessionState = 3;         // get: BSTR, the component side's state, JSON
inline constexpr DISPID kSessionSetEventSink = 4;  // put/method (sink IDispatch): each event the
                                                   // engine or platform logs is sent at once as
                                                   // sink DISPID_VALUE (kind BSTR, text BSTR)
inline constexpr DISPID kSessionSetHostView = 5;   // put/method (view IDispatch)
inline constexpr DISPID kSessionRunUntilIdle = 6;  // method: the host's own loop
inline constexpr DISPID kSessionPending = 7;       // get: I4, queued actions not yet handled
// The component's guarded procedures, followed while the session lives, for a driver that
// checks which procedure a host call came from:
inline constexpr DISPID kSessionProcedure = 8;          // get: BSTR, the identification string of
                                                        // the innermost one running, empty if none
inline constexpr DISPID kSessionProceduresEntered = 9;  // get: BSTR, each one entered so far,
                                                        // once: "ident TAB function" lines
inline constexpr DISPID kSessionMessageBoxOpen = 10;    // get: BOOL, a message box waits

// kind of kSessionPost: portable::UserAction::Kind as its integer value (Click 0 ... MouseClick
// 9); number is the list entry (Pick), ui::Key (Key), the answer (Answer) or the button
// (MouseClick); text is the typed text (Type) or the access key's letter (AccessKey).

// Members of the host's view, which the engine calls for mouse input; each returns BSTR, empty
// when delivered, else why the view refused it.
inline constexpr DISPID kViewMouseMove = 1;   // (x R8, y R8)
inline constexpr DISPID kViewMouseClick = 2;  // (button I2, x R8, y R8)

}  // namespace windows::harness
