#include "windows/automation/failure_info.hpp"

#include <string>

#include "windows/automation/bstr.hpp"
#include "windows/handles/bstr.hpp"

namespace windows {
namespace {

// The runtime's error number carried in an HRESULT of the control facility, or the HRESULT.
std::int32_t numberOf(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_CONTROL) return HRESULT_CODE(result);
  return static_cast<std::int32_t>(result);
}

}  // namespace

automation::Failure failureOf(HRESULT result, EXCEPINFO* info) {
  namespace errnum = automation::errnum;
  if (result == DISP_E_EXCEPTION && info != nullptr) {
    if (info->pfnDeferredFillIn != nullptr) info->pfnDeferredFillIn(info);
    const ExceptionStrings strings(*info);
    automation::Failure failure(info->wCode != 0 ? info->wCode : numberOf(info->scode),
                                utf8Of(strings.description.get()), utf8Of(strings.source.get()),
                                utf8Of(strings.helpFile.get()),
                                static_cast<std::int32_t>(info->dwHelpContext));
    *info = EXCEPINFO{};
    return failure;
  }
  switch (result) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
      return automation::runtimeFailure(errnum::kMemberNotFound);
    case DISP_E_TYPEMISMATCH:
      return automation::runtimeFailure(errnum::kTypeMismatch);
    case DISP_E_OVERFLOW:
      return automation::runtimeFailure(errnum::kOverflow);
    case E_OUTOFMEMORY:
      return automation::runtimeFailure(errnum::kOutOfMemory);
    case DISP_E_BADPARAMCOUNT:
      return automation::runtimeFailure(errnum::kWrongArgumentCount);
    case DISP_E_PARAMNOTOPTIONAL:
      return automation::runtimeFailure(errnum::kArgumentNotOptional);
    case DISP_E_PARAMNOTFOUND:
      return automation::runtimeFailure(errnum::kNamedArgumentNotFound);
    case DISP_E_NONAMEDARGS:
      return automation::runtimeFailure(errnum::kNoNamedArguments);
    case DISP_E_BADINDEX:
      return automation::runtimeFailure(errnum::kSubscriptOutOfRange);
    default:
      if (HRESULT_FACILITY(result) == FACILITY_CONTROL)
        return automation::runtimeFailure(HRESULT_CODE(result));
      return automation::Failure(numberOf(result), "Automation error");
  }
}

HRESULT reportFailure(const automation::Failure& failure, EXCEPINFO* info) {
  if (info != nullptr) {
    *info = EXCEPINFO{};
    info->bstrSource = bstrOf(failure.source);
    info->bstrDescription = bstrOf(failure.description);
    info->bstrHelpFile = bstrOf(failure.helpFile);
    info->dwHelpContext = static_cast<DWORD>(failure.helpContext);
    // The runtime's own numbers travel in the control facility, as its callers expect.
    if (failure.number > 0 && failure.number <= 0xFFFF)
      info->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, failure.number);
    else
      info->scode = static_cast<SCODE>(failure.number);
  }
  return DISP_E_EXCEPTION;
}

HRESULT reportRunAborted(const portable::RunAborted& aborted, EXCEPINFO* info) {
  if (info != nullptr) {
    *info = EXCEPINFO{};
    info->bstrDescription = bstrOf(aborted.what());
    info->scode = kRunAborted;
  }
  return DISP_E_EXCEPTION;
}

void throwIfRunAborted(HRESULT result, EXCEPINFO* info) {
  if (result != DISP_E_EXCEPTION || info == nullptr) return;
  if (info->pfnDeferredFillIn != nullptr) {
    info->pfnDeferredFillIn(info);
    info->pfnDeferredFillIn = nullptr;
  }
  if (info->scode != kRunAborted) return;
  const ExceptionStrings strings(*info);
  *info = EXCEPINFO{};
  throw portable::RunAborted(utf8Of(strings.description.get()));
}

}  // namespace windows
