#pragma once

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <utility>

#include "windows/handles/unique.hpp"

namespace windows {

// A string allocated with SysAllocString and its kin.
using UniqueBstr = Unique<BSTR, &SysFreeString>;

// The three strings of an EXCEPINFO, taken out of it (left null there) and freed when this goes.
struct ExceptionStrings {
  explicit ExceptionStrings(EXCEPINFO& info)
      : source(std::exchange(info.bstrSource, nullptr)),
        description(std::exchange(info.bstrDescription, nullptr)),
        helpFile(std::exchange(info.bstrHelpFile, nullptr)) {}

  UniqueBstr source;
  UniqueBstr description;
  UniqueBstr helpFile;
};

}  // namespace windows
