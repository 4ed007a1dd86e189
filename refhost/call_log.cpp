#include "call_log.hpp"

#include "automation/convert.hpp"
#include "host_object.hpp"

namespace refhost {

using automation::Variant;

namespace {

LoggedArgument logged(const Variant& v, std::string_view objectName) {
  LoggedArgument arg{v.typeName(), {}};
  if (v.is<automation::Object>()) {
    arg.value = Variant(std::string(objectName));
  } else if (v.is<automation::DoubleRef>()) {
    const automation::DoubleRef r = v.as<automation::DoubleRef>();
    arg.value = r.target != nullptr ? Variant(*r.target) : Variant();
  } else {
    arg.value = v;
  }
  return arg;
}

}  // namespace

std::string CallRecord::target() const {
  return object + "." + (memberName.empty() ? std::to_string(member) : memberName);
}

std::size_t CallLog::record(std::string_view object, automation::DispId member,
                            std::string_view memberName, automation::InvokeKind kind,
                            std::span<const Variant> args) {
  CallRecord record;
  record.index = next_++;
  record.object = std::string(object);
  record.member = member;
  record.memberName = std::string(memberName);
  record.kind = kind;
  for (const Variant& v : args) {
    std::string name;
    if (v.is<automation::Object>()) {
      name = "<object>";
      if (const automation::Dispatch* d = v.as<automation::Object>().get()) {
        name = objectNameOf(*d);
      } else {
        name = "Nothing";
      }
    }
    record.args.push_back(logged(v, name));
  }
  records_.push_back(std::move(record));
  return records_.back().index;
}

void CallLog::markFailed(std::size_t index) {
  for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
    if (it->index == index) {
      it->failed = true;
      return;
    }
  }
}

std::vector<CallRecord> CallLog::of(std::string_view object) const {
  std::vector<CallRecord> out;
  for (const CallRecord& r : records_) {
    if (r.object == object) out.push_back(r);
  }
  return out;
}

std::vector<CallRecord> CallLog::of(std::string_view object, automation::DispId member) const {
  std::vector<CallRecord> out;
  for (const CallRecord& r : records_) {
    if (r.object == object && r.member == member) out.push_back(r);
  }
  return out;
}

void CallLog::clear() {
  records_.clear();
}

std::string_view kindName(automation::InvokeKind kind) {
  switch (kind) {
    case automation::InvokeKind::Get:
      return "get";
    case automation::InvokeKind::Put:
      return "put";
    case automation::InvokeKind::Call:
      return "call";
  }
  return "?";
}

std::string describeValue(const LoggedArgument& arg) {
  std::string text = arg.type;
  if (!arg.value.isEmpty()) {
    text += ' ';
    if (arg.value.is<std::string>() && arg.type != "Object") {
      text += '"' + arg.value.as<std::string>() + '"';
    } else {
      text += automation::toString(arg.value);
    }
  }
  return text;
}

std::string CallLog::describe() const {
  std::string out;
  for (const CallRecord& r : records_) {
    out += std::to_string(r.index) + ' ' + r.target() + ' ' + std::string(kindName(r.kind)) + " (";
    for (std::size_t i = 0; i < r.args.size(); ++i) {
      if (i > 0) out += ", ";
      out += describeValue(r.args[i]);
    }
    out += ')';
    if (r.failed) out += " FAILED";
    out += '\n';
  }
  return out;
}

}  // namespace refhost
