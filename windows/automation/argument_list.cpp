#include "windows/automation/argument_list.hpp"

#include <new>

#include "windows/automation/com_variant.hpp"

namespace windows {

ArgumentList::ArgumentList(const DISPPARAMS& params) {
  const UINT count = params.cArgs;
  const UINT named = params.cNamedArgs;
  onHeap_ = count > kInline;
  if (onHeap_) heap_.reserve(count);
  // Positional arguments come last first, after the named ones; a put's value is named.
  for (UINT i = count; i > named; --i) append(params.rgvarg[i - 1]);
  for (UINT i = 0; i < named; ++i) append(params.rgvarg[i]);
}

void ArgumentList::append(const VARIANT& value) {
  if (onHeap_) {
    heap_.push_back(fromVariant(value));
    return;
  }
  // Built in its slot: the converted value is not moved there.
  ::new (static_cast<void*>(&inline_.values[inline_.count]))
      automation::Variant(fromVariant(value));
  ++inline_.count;
}

VariantArray::VariantArray(std::size_t size) : size_(size) {
  if (size_ > kInline) heap_.resize(size_);
  for (std::size_t i = 0; i < size_; ++i) V_VT(&data()[i]) = VT_EMPTY;
}

VariantArray::~VariantArray() {
  for (std::size_t i = 0; i < size_; ++i) clearVariant(data()[i]);
}

}  // namespace windows
