#include "auxiliary_objects.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "application_objects.hpp"
#include "automation/convert.hpp"
#include "host/dispids.hpp"
#include "platform/locale_table.hpp"

namespace refhost {

using automation::InvokeKind;
using automation::Variant;
namespace ids = host::dispid;

HostGlobalObject::HostGlobalObject(std::shared_ptr<HostContext> context,
                                   std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "HostGlobal"), state_(std::move(state)) {}

Variant HostGlobalObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  if (kind == InvokeKind::Get && id == ids::host_global::kRunningApplication) {
    expectArgs(args, 0);
    if (!state_->env.applicationRunning) return {};
    return Variant(hand<ApplicationObject>(state_));
  }
  throw noSuchMember(id, kind);
}

std::string satelliteFileName(const Environment& env, const std::string& folder,
                              const std::string& prefix) {
  std::string base = folder;
  if (!base.empty() && base.back() != '/' && base.back() != '\\') base += env.pathSeparator;
  base += prefix;
  const auto exists = [&env](const std::string& path) {
    if (env.fileExists) return env.fileExists(path);
    std::error_code ec;
    return std::filesystem::exists(path, ec);
  };
  const auto fileOf = [&base](std::uint32_t lcid) { return base + std::to_string(lcid) + ".dll"; };
  if (exists(fileOf(env.userLocale))) return fileOf(env.userLocale);
  // A relative shares the primary language (the low ten bits) and writes the same script, which
  // the ANSI code page tells apart where one language has two (traditional and simplified
  // Chinese).
  const std::uint32_t primary = env.userLocale & 0x3FFu;
  const std::uint32_t codePage = portable::localeFacts(env.userLocale).ansiCodePage;
  for (std::uint32_t sub = 1; sub < 0x40u; ++sub) {
    const std::uint32_t relative = sub << 10 | primary;
    if (relative == env.userLocale || portable::localeFacts(relative).ansiCodePage != codePage) {
      continue;
    }
    if (exists(fileOf(relative))) return fileOf(relative);
  }
  return fileOf(1033);
}

ResourceLocatorObject::ResourceLocatorObject(std::shared_ptr<HostContext> context,
                                             std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "ResourceLocator"), state_(std::move(state)) {}

Variant ResourceLocatorObject::perform(automation::DispId id, InvokeKind kind,
                                       std::span<Variant> args) {
  namespace loc = ids::resource_locator;
  if (kind == InvokeKind::Put && (id == loc::kFolder || id == loc::kPrefix)) {
    expectArgs(args, 1);
    (id == loc::kFolder ? folder_ : prefix_) = stringArg(args, 0);
    return {};
  }
  if (kind == InvokeKind::Get && id == loc::kFolder) return Variant(folder_);
  if (kind == InvokeKind::Get && id == loc::kPrefix) return Variant(prefix_);
  if (kind == InvokeKind::Get && id == loc::kFileName) {
    expectArgs(args, 0);
    return Variant(satelliteFileName(state_->env, folder_, prefix_));
  }
  throw noSuchMember(id, kind);
}

ErrorReporterObject::ErrorReporterObject(std::shared_ptr<HostContext> context,
                                         std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "ErrorReporter"), state_(std::move(state)) {
  ++this->context()->liveErrorReporters;
}

ErrorReporterObject::~ErrorReporterObject() {
  --context()->liveErrorReporters;
}

Variant ErrorReporterObject::perform(automation::DispId id, InvokeKind kind,
                                     std::span<Variant> args) {
  if (kind == InvokeKind::Call && id == ids::error_reporter::kReportError) {
    expectArgs(args, 9);
    ErrorReport report;
    report.source = stringArg(args, 0);
    report.description = stringArg(args, 1);
    report.helpFile = stringArg(args, 2);
    report.helpContext = int32Arg(args, 3);
    report.number = int32Arg(args, 4);
    report.ident = stringArg(args, 5);
    report.style = int32Arg(args, 6);
    report.reserved1 = int32Arg(args, 7);
    report.reserved2 = automation::toInt16(args[8]);
    if (state_->env.echoReportsToStderr) {
      std::cerr << "error report: " << report.ident << ": " << report.source << " " << report.number
                << ": " << report.description << '\n';
    }
    if (state_->events != nullptr) {
      state_->events->add("report", report.ident + ": " + report.description + " (" +
                                        std::to_string(report.number) + ")");
    }
    state_->reports.push_back(std::move(report));
    return {};
  }
  throw noSuchMember(id, kind);
}

automation::Object HostObjectCreator::create(std::string_view progId) {
  const auto& unavailable = state_->env.unavailableClasses;
  const bool refused =
      std::find(unavailable.begin(), unavailable.end(), progId) != unavailable.end();
  if (!refused) {
    if (progId == host::progid::kHostGlobal) {
      return automation::Object(std::make_shared<HostGlobalObject>(context_, state_));
    }
    if (progId == host::progid::kResourceLocator) {
      return automation::Object(std::make_shared<ResourceLocatorObject>(context_, state_));
    }
    if (progId == host::progid::kErrorReporter) {
      return automation::Object(std::make_shared<ErrorReporterObject>(context_, state_));
    }
  }
  throw automation::Failure(automation::kCannotCreateObject,
                            "ActiveX component can't create object: " + std::string(progId),
                            "RefHost");
}

}  // namespace refhost
