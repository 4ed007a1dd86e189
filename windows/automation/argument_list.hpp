#pragma once

#include <windows.h>

#include <oaidl.h>

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "automation/variant.hpp"

namespace windows {

// The arguments of an Invoke in the component's order (first to last), a put's value last.
// Up to eight are held in place (the most any member of the host's or the component's takes:
// a mouse event), so a call makes no heap allocation for them; only the slots a call uses are
// constructed.
class ArgumentList {
 public:
  explicit ArgumentList(const DISPPARAMS& params);
  ArgumentList(const ArgumentList&) = delete;
  ArgumentList& operator=(const ArgumentList&) = delete;

  std::span<automation::Variant> values() {
    return onHeap_ ? std::span(heap_) : std::span(inline_.values, inline_.count);
  }

 private:
  static constexpr std::size_t kInline = 8;
  void append(const VARIANT& value);

  // Eight Variant slots, constructed one by one as arguments arrive; the constructed ones are
  // destroyed with the list, also when a conversion fails part way.
  struct InlineSlots {
    InlineSlots() {}
    ~InlineSlots() { std::destroy_n(values, count); }
    union {
      automation::Variant values[kInline];
    };
    std::size_t count = 0;
  } inline_;
  bool onHeap_ = false;  // more arguments than the slots hold
  std::vector<automation::Variant> heap_;
};

// VARIANTs for an outgoing Invoke, cleared on every path out; up to eight held in place.
class VariantArray {
 public:
  explicit VariantArray(std::size_t size);
  ~VariantArray();
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;

  VARIANT* data() { return heap_.empty() ? inline_.data() : heap_.data(); }
  VARIANT& operator[](std::size_t i) { return data()[i]; }

 private:
  static constexpr std::size_t kInline = 8;
  std::array<VARIANT, kInline> inline_;
  std::vector<VARIANT> heap_;
  std::size_t size_;
};

}  // namespace windows
