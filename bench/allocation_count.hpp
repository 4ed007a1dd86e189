#pragma once

#include <cstdint>

namespace bench {

// Heap allocations made through operator new since the program started; this binary replaces
// the global operator new with one that counts.
std::uint64_t allocations();

}  // namespace bench
