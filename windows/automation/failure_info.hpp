#pragma once

#include <windows.h>

#include <oaidl.h>

#include "automation/failure.hpp"
#include "ui/run_aborted.hpp"

namespace windows {

// A failed IDispatch::Invoke as the component's Failure: the callee's EXCEPINFO for
// DISP_E_EXCEPTION (its number from wCode, else from the HRESULT), the runtime's failure for
// the standard dispatch errors, and "automation error" carrying the HRESULT otherwise.
automation::Failure failureOf(HRESULT result, EXCEPINFO* info);

// Fills `info` (when the caller gave one) from `failure` and returns DISP_E_EXCEPTION.
HRESULT reportFailure(const automation::Failure& failure, EXCEPINFO* info);

// A run that cannot go on (portable::RunAborted) crosses every COM boundary, in either
// direction, as DISP_E_EXCEPTION with this scode and the reason as its description; a caller
// turns it back into RunAborted, never into a Failure.
inline constexpr HRESULT kRunAborted = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0A01);

// A run that cannot go on, as it crosses a COM boundary: DISP_E_EXCEPTION with kRunAborted and
// the reason as the description. `throwIfRunAborted` turns such a result
// back into RunAborted (freeing the EXCEPINFO's strings) and leaves any other result alone.
HRESULT reportRunAborted(const portable::RunAborted& aborted, EXCEPINFO* info);
void throwIfRunAborted(HRESULT result, EXCEPINFO* info);

// Runs `body` at the COM boundary: a Failure or an aborted run becomes EXCEPINFO and
// DISP_E_EXCEPTION, running out of memory E_OUTOFMEMORY, anything else E_UNEXPECTED; no
// exception crosses into the caller.
template <class Body>
HRESULT atBoundary(EXCEPINFO* info, Body&& body) noexcept {
  try {
    return body();
  } catch (const automation::Failure& failure) {
    return reportFailure(failure, info);
  } catch (const portable::RunAborted& aborted) {
    return reportRunAborted(aborted, info);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace windows
