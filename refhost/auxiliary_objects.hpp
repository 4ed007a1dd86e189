#pragma once

#include <memory>
#include <string>

#include "automation/creator.hpp"
#include "host_object.hpp"
#include "host_state.hpp"

namespace refhost {

// The host library's application-wide object: the running application, or Empty when the
// environment says none is running.
class HostGlobalObject final : public HostObject {
 public:
  HostGlobalObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

// folder + separator + prefix + a locale id + ".dll": the user's locale when its file exists;
// otherwise the first existing file of a locale of the same primary language and script (the
// sub-languages in order, so French/Canada takes 1036, Spanish/Mexico 3082 and Chinese/Hong Kong
// the traditional 1028, Chinese/Singapore the simplified 2052); otherwise the 1033 file.
std::string satelliteFileName(const Environment& env, const std::string& folder,
                              const std::string& prefix);

class ResourceLocatorObject final : public HostObject {
 public:
  ResourceLocatorObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
  std::string folder_;
  std::string prefix_;
};

// Records every report with its nine arguments; writes one line per report to stderr unless
// the environment turns that off.
class ErrorReporterObject final : public HostObject {
 public:
  ErrorReporterObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);
  ~ErrorReporterObject() override;
  ErrorReporterObject(const ErrorReporterObject&) = delete;
  ErrorReporterObject& operator=(const ErrorReporterObject&) = delete;

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
};

// Creates the host's auxiliary classes by programmatic identifier; 429 for any other class or
// one the environment lists as unavailable.
class HostObjectCreator final : public automation::ObjectCreator {
 public:
  HostObjectCreator(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state)
      : context_(std::move(context)), state_(std::move(state)) {}

  automation::Object create(std::string_view progId) override;

 private:
  std::shared_ptr<HostContext> context_;
  std::shared_ptr<HostState> state_;
};

}  // namespace refhost
