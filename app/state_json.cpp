#include "state_json.hpp"

#include "dialog/frm_main.hpp"
#include "dialog/layout.hpp"
#include "ui/form.hpp"
#include "world.hpp"

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

json recordJson(const dialog::SetupRecord& r) {
  return {{"OriginX", r.OriginX},
          {"OriginY", r.OriginY},
          {"ScaleIndex", r.ScaleIndex},
          {"ScalePaperLength", r.ScalePaperLength},
          {"ScaleModelLength", r.ScaleModelLength},
          {"SizeIndex", r.SizeIndex},
          {"SheetHeight", r.SheetHeight},
          {"SheetWidth", r.SheetWidth}};
}

json controlJson(ui::Control& c) {
  json j = {{"enabled", c.enabled()}, {"visible", c.visible()}};
  switch (c.kind()) {
    case ui::ControlKind::CommandButton:
      j["caption"] = static_cast<ui::CommandButton&>(c).caption();
      break;
    case ui::ControlKind::OptionButton:
      j["caption"] = static_cast<ui::OptionButton&>(c).caption();
      j["value"] = static_cast<ui::OptionButton&>(c).value();
      break;
    case ui::ControlKind::ComboBox: {
      auto& list = static_cast<ui::ComboBox&>(c);
      j["text"] = list.text();
      j["listIndex"] = list.listIndex();
      j["listCount"] = list.listCount();
      break;
    }
    case ui::ControlKind::TextBox:
      j["text"] = static_cast<ui::TextBox&>(c).text();
      break;
    case ui::ControlKind::Label:
      j["caption"] = static_cast<ui::Label&>(c).caption();
      break;
    case ui::ControlKind::Frame:
      j["caption"] = static_cast<ui::Frame&>(c).caption();
      break;
    case ui::ControlKind::HostControl:
      break;
  }
  return j;
}

json formJson(ui::Form& form) {
  json controls = json::object();
  for (ui::Control* c : form.controls()) controls[c->qualifiedName()] = controlJson(*c);
  const ui::Control* focus = form.activeControl();
  return {{"loaded", form.isLoaded()},
          {"visible", form.visible()},
          {"caption", form.caption()},
          {"focus", focus ? json(focus->qualifiedName()) : json(nullptr)},
          {"controls", controls}};
}

json dialogJson(World& world) {
  dialog::FrmMain* frm = world.dialog();
  if (frm == nullptr) return {{"loaded", false}, {"visible", false}};
  return formJson(frm->form());
}

json shownJson(const refhost::ShownGraphic& g) {
  return {{"x", g.x},           {"y", g.y},           {"width", g.width},
          {"height", g.height}, {"colour", g.colour}, {"flag", g.flag}};
}

json reportJson(const refhost::ErrorReport& r) {
  return {{"source", r.source},           {"description", r.description}, {"helpFile", r.helpFile},
          {"helpContext", r.helpContext}, {"number", r.number},           {"ident", r.ident}};
}

json boxJson(const portable::HeadlessEngine::MessageBox& b) {
  return {{"text", b.text}, {"title", b.title}, {"style", b.style}};
}

json helpJson(const portable::HelpCall& h) {
  return {{"file", h.file}, {"command", h.command}, {"context", h.data}};
}

json refusedJson(const portable::HeadlessEngine::Refused& r) {
  return {{"action", r.action}, {"reason", r.reason}};
}

}  // namespace

json stateJson(World& world) {
  refhost::ReferenceHost& host = world.host();
  command::Component& c = world.component();

  const bool reporterKept = c.reporting.hasReporter();
  json history = json::array();
  for (const auto& r : c.SetupHistory.records()) history.push_back(recordJson(r));

  json shown = json::array();
  for (const auto& g : host.shownGraphics()) shown.push_back(shownJson(g));
  json reports = json::array();
  for (const auto& r : host.errorReports()) reports.push_back(reportJson(r));
  json boxes = json::array();
  for (const auto& b : world.engine().messageBoxes()) boxes.push_back(boxJson(b));
  json help = json::array();
  for (const auto& h : world.system().helpCalls()) help.push_back(helpJson(h));
  json refused = json::array();
  for (const auto& r : world.engine().refused()) refused.push_back(refusedJson(r));

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
      {"run",
       {{"historyCount", c.HistoryCount},
        {"history", history},
        {"setupApplied", c.SetupApplied},
        {"userCancelled", c.UserCancelled},
        {"done", host.command().done}}},
      {"dialog", dialogJson(world)},
      {"overlay", {{"shown", shown}}},
      {"reports", reports},
      {"messageBoxes", boxes},
      {"help", help},
      {"refused", refused},
  };
}

const json& stateSchema() {
  static const json schema = [] {
    World world{WorldSettings{}};
    json state = stateJson(world);
    const auto form = dialog::layout::buildMainForm(world.engine(), world.host().controlFactory());
    state["dialog"] = formJson(*form);
    state["overlay"]["shown"].push_back(shownJson({}));
    state["reports"].push_back(reportJson({}));
    state["messageBoxes"].push_back(boxJson({}));
    state["help"].push_back(helpJson({}));
    state["refused"].push_back(refusedJson({}));
    return state;
  }();
  return schema;
}

}  // namespace session
