#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <span>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace windows {

// The body of a host-side callback object: the member's dispatch id and its arguments, first
// to last.
using CallbackBody =
    std::function<automation::Variant(automation::DispId id, std::span<automation::Variant> args)>;

// An object whose every member runs `body`: how the runner hands the DLL its probes and its
// event sink. Across COM (a DispatchBridge), a Failure in `body` reaches the caller as EXCEPINFO
// and an aborted run as the run-aborted scode.
automation::Object callbackObject(CallbackBody body);

// Invokes member `id` of `target`, an object of the component's DLL, with `args` (first to
// last). A run that cannot go on, as the DLL reports it, is thrown as portable::RunAborted; any
// other failure as session::WorldUnavailable, since the session cannot be driven past it.
automation::Variant invokeMember(const automation::Object& target, automation::DispId id,
                                 automation::InvokeKind kind,
                                 std::vector<automation::Variant> args = {});

}  // namespace windows
