#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "automation/object.hpp"

namespace automation {

// The language's 16-bit Boolean: true is -1, false is 0.
struct Bool16 {
  std::int16_t value = 0;
  static constexpr std::int16_t kTrue = -1;
  static constexpr std::int16_t kFalse = 0;
  static Bool16 of(bool b) { return Bool16{b ? kTrue : kFalse}; }
  bool truth() const { return value != 0; }
  friend bool operator==(Bool16, Bool16) = default;
};

// A by-reference double slot: the callee writes through it (out arguments).
struct DoubleRef {
  double* target = nullptr;
  friend bool operator==(DoubleRef, DoubleRef) = default;
};

// A value of the automation world. Strings are held as UTF-8; an object is a counted reference.
class Variant {
 public:
  using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, double, Bool16,
                               std::string, Object, DoubleRef>;

  Variant() = default;
  Variant(std::int16_t v) : v_(v) {}
  Variant(std::int32_t v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(Bool16 v) : v_(v) {}
  Variant(std::string v) : v_(std::move(v)) {}
  Variant(const char* v) : v_(std::string(v)) {}
  Variant(Object v) : v_(std::move(v)) {}
  Variant(DoubleRef v) : v_(v) {}
  static Variant byRef(double& slot) { return Variant(DoubleRef{&slot}); }

  const Storage& storage() const { return v_; }
  bool isEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  template <class T>
  bool is() const {
    return std::holds_alternative<T>(v_);
  }
  template <class T>
  const T& as() const {
    return std::get<T>(v_);
  }
  const char* typeName() const;

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  Storage v_;
};

}  // namespace automation
