#include "windows/automation/argument_list.hpp"

#include "windows/automation/com_variant.hpp"

namespace windows {

ArgumentList::ArgumentList(const DISPPARAMS& params) : size_(params.cArgs) {
  if (size_ > kInline) heap_.resize(size_);
  const std::span<automation::Variant> args = values();
  std::size_t next = 0;
  // Positional arguments come last first, after the named ones; a put's value is named.
  const UINT named = params.cNamedArgs;
  for (UINT i = params.cArgs; i > named; --i) args[next++] = fromVariant(params.rgvarg[i - 1]);
  for (UINT i = 0; i < named; ++i) args[next++] = fromVariant(params.rgvarg[i]);
}

VariantArray::VariantArray(std::size_t size) : size_(size) {
  if (size_ > kInline) heap_.resize(size_);
  for (std::size_t i = 0; i < size_; ++i) VariantInit(&data()[i]);
}

VariantArray::~VariantArray() {
  for (std::size_t i = 0; i < size_; ++i) VariantClear(&data()[i]);
}

}  // namespace windows
