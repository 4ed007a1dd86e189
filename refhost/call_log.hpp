#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace refhost {

// One argument as the host received it. `type` is the Variant's type name ("Long", "Double",
// "Double ByRef", "Object", ...). `value` is a copy that holds no reference: an object argument
// is logged as its object's name, a by-reference double as the value it held on entry.
struct LoggedArgument {
  std::string type;
  automation::Variant value;
};

// One call of a host member.
struct CallRecord {
  std::size_t index = 0;  // 1-based position among all host calls
  std::string object;     // the object's name, e.g. "HostSheetSetup"
  automation::DispId member = 0;
  std::string memberName;  // for members reached by name, e.g. "Command"; else empty
  automation::InvokeKind kind = automation::InvokeKind::Get;
  std::vector<LoggedArgument> args;
  bool failed = false;  // made to fail by fault injection, or refused by the host

  // "HostSheetSetup.9", the form fault injection names members by.
  std::string target() const;
};

// Every call made on the host's objects, in order.
class CallLog {
 public:
  // Starts a record and returns its index; the host then marks it failed if it fails.
  std::size_t begin(std::string_view object, automation::DispId member, std::string_view memberName,
                    automation::InvokeKind kind, std::span<const automation::Variant> args) {
    return recording_ ? record(object, member, memberName, kind, args) : next_++;
  }
  void markFailed(std::size_t index);

  const std::vector<CallRecord>& records() const { return records_; }
  std::size_t size() const { return records_.size(); }
  // The records of one object, or of one member of it, in call order.
  std::vector<CallRecord> of(std::string_view object) const;
  std::vector<CallRecord> of(std::string_view object, automation::DispId member) const;
  // Forgets everything logged so far; call indices go on counting.
  void clear();
  // Whether calls are recorded (they are by default). While not, calls still get their index
  // but leave no record; a benchmark uses this to see the component's own cost.
  void setRecording(bool recording) { recording_ = recording; }
  // One line per call: "12 HostSheetSetup.9 put (Integer 28)" and " FAILED" when it failed.
  std::string describe() const;

 private:
  std::size_t record(std::string_view object, automation::DispId member,
                     std::string_view memberName, automation::InvokeKind kind,
                     std::span<const automation::Variant> args);

  std::vector<CallRecord> records_;
  std::size_t next_ = 1;
  bool recording_ = true;
};

std::string_view kindName(automation::InvokeKind kind);
std::string describeValue(const LoggedArgument& arg);

}  // namespace refhost
