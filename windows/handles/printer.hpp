#pragma once

#include <windows.h>

#include <winspool.h>

#include "windows/handles/unique.hpp"

namespace windows {

// A printer opened with OpenPrinter or added with AddPrinter.
using UniquePrinter = Unique<HANDLE, &ClosePrinter>;

}  // namespace windows
