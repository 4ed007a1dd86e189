#include "state_json.hpp"

#include "component_state.hpp"
#include "dialog/layout.hpp"
#include "reference_host.hpp"
#include "session_world.hpp"
#include "ui/headless_engine.hpp"

namespace session {
namespace {

using nlohmann::json;

json sheetJson(const refhost::SheetSetupState& s) {
  return {{"paperUnit", s.paperUnit},   {"sizeIndex", s.sizeIndex},
          {"width", s.width},           {"height", s.height},
          {"scaleMode", s.scaleMode},   {"scalePaper", s.scalePaper},
          {"scaleModel", s.scaleModel}, {"scaleFactor", s.scalePaper / s.scaleModel},
          {"originX", s.originX},       {"originY", s.originY}};
}

json shownJson(const refhost::ShownGraphic& g) {
  return {{"x", g.x},           {"y", g.y},           {"width", g.width},
          {"height", g.height}, {"colour", g.colour}, {"flag", g.flag}};
}

json reportJson(const refhost::ErrorReport& r) {
  return {{"source", r.source},           {"description", r.description}, {"helpFile", r.helpFile},
          {"helpContext", r.helpContext}, {"number", r.number},           {"ident", r.ident}};
}

// The whole state from the host's side and the component's.
json combined(refhost::ReferenceHost& host, const json& component) {
  const bool reporterKept = component.at("errorReporterKept").get<bool>();
  json shown = json::array();
  for (const auto& g : host.shownGraphics()) shown.push_back(shownJson(g));
  json reports = json::array();
  for (const auto& r : host.errorReports()) reports.push_back(reportJson(r));
  json run = component.at("run");
  run["done"] = host.command().done;

  return {
      {"sheet", sheetJson(host.sheetSetup())},
      {"host",
       {{"statusText", host.statusText()},
        {"undoDepth", host.undoHistory().depth()},
        {"undoEntries", host.undoHistory().size()},
        // The error reporter, once created, is kept as long as the component is loaded: it is
        // shown apart from the objects still held, which after the run's end would be a leak.
        {"liveObjects", host.liveObjects() - (reporterKept && host.liveObjects() > 0 ? 1 : 0)},
        {"errorReporterKept", reporterKept}}},
      {"run", run},
      {"dialog", component.at("dialog")},
      {"overlay", {{"shown", shown}}},
      {"reports", reports},
      {"messageBoxes", component.at("messageBoxes")},
      {"help", component.at("help")},
      {"refused", component.at("refused")},
  };
}

}  // namespace

json stateJson(SessionWorld& world) {
  return combined(world.host(), world.componentState());
}

const json& stateSchema() {
  static const json schema = [] {
    refhost::ReferenceHost host;
    portable::HeadlessEngine engine;
    const auto form = dialog::layout::buildMainForm(engine, host.controlFactory());
    json state = combined(host, componentStateSchema(*form));
    state["overlay"]["shown"].push_back(shownJson({}));
    state["reports"].push_back(reportJson({}));
    return state;
  }();
  return schema;
}

}  // namespace session
