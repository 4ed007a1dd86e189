#include "windows/session/component_state.hpp"

#include <nlohmann/json.hpp>

namespace windows::session {
namespace {

using nlohmann::json;

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

json dialogJson(ui::Form* form) {
  if (form == nullptr) return {{"loaded", false}, {"visible", false}};
  json controls = json::object();
  for (ui::Control* c : form->controls()) controls[c->qualifiedName()] = controlJson(*c);
  const ui::Control* focus = form->activeControl();
  return {{"loaded", form->isLoaded()},
          {"visible", form->visible()},
          {"caption", form->caption()},
          {"focus", focus ? json(focus->qualifiedName()) : json(nullptr)},
          {"controls", controls}};
}

}  // namespace

std::string componentStateJson(const SessionParts& parts) {
  const command::Component& c = parts.component;
  json history = json::array();
  for (const auto& r : c.SetupHistory.records()) history.push_back(recordJson(r));
  json boxes = json::array();
  for (const auto& b : parts.engine.messageBoxes())
    boxes.push_back({{"text", b.text}, {"title", b.title}, {"style", b.style}});
  json help = json::array();
  for (const auto& h : parts.system.helpCalls())
    help.push_back({{"file", h.file}, {"command", h.command}, {"context", h.data}});
  json refused = json::array();
  for (const auto& r : parts.engine.refused())
    refused.push_back({{"action", r.action}, {"reason", r.reason}});
  const json state = {
      {"dialog", dialogJson(parts.dialog ? parts.dialog() : nullptr)},
      {"run",
       {{"historyCount", c.HistoryCount},
        {"history", history},
        {"setupApplied", c.SetupApplied},
        {"userCancelled", c.UserCancelled}}},
      {"messageBoxes", boxes},
      {"help", help},
      {"refused", refused},
      {"errorReporterKept", c.reporting.hasReporter()},
  };
  return state.dump();
}

}  // namespace windows::session
