// A counting global operator new (all of its replaceable forms) over malloc.
#include "allocation_count.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> count{0};

void* allocate(std::size_t size) {
  count.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  count.fetch_add(1, std::memory_order_relaxed);
  const auto align = static_cast<std::size_t>(alignment);
  const std::size_t rounded = (size + align - 1) / align * align;
#ifdef _WIN32
  // The Windows C runtime has no aligned_alloc; its aligned blocks are freed with _aligned_free.
  if (void* p = _aligned_malloc(rounded == 0 ? align : rounded, align)) return p;
#else
  if (void* p = std::aligned_alloc(align, rounded == 0 ? align : rounded)) return p;
#endif
  throw std::bad_alloc();
}

void freeAligned(void* p) {
#ifdef _WIN32
  _aligned_free(p);
#else
  std::free(p);
#endif
}

}  // namespace

namespace bench {
std::uint64_t allocations() {
  return count.load(std::memory_order_relaxed);
}
}  // namespace bench

void* operator new(std::size_t size) {
  return allocate(size);
}
void* operator new[](std::size_t size) {
  return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  freeAligned(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  freeAligned(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  freeAligned(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  freeAligned(p);
}
