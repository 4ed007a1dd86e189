#include "component_state.hpp"

#include "command/component.hpp"
#include "ui/form.hpp"
#include "ui/headless_engine.hpp"

namespace session {
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

json notLoadedJson() {
  return {{"loaded", false}, {"visible", false}};
}

json boxJson(const portable::HeadlessEngine::MessageBoxShown& b) {
  return {{"text", b.text}, {"title", b.title}, {"style", b.style}};
}

// The help window's owner by name: the dialog's, when its window owns it.
json helpJson(const portable::HelpCall& h, ui::Form* dialog) {
  json owner = nullptr;
  if (h.owner != 0) {
    const bool dialogs = dialog != nullptr && dialog->isLoaded() && h.owner == dialog->hWnd();
    owner = dialogs ? dialog->name() : "another window";
  }
  return {{"file", h.file}, {"command", h.command}, {"context", h.data}, {"owner", owner}};
}

json refusedJson(const portable::HeadlessEngine::Refused& r) {
  return {{"action", r.action}, {"reason", r.reason}};
}

json runJson(std::int16_t historyCount, std::span<const dialog::SetupRecord> history,
             bool setupApplied, bool userCancelled) {
  json records = json::array();
  for (const auto& r : history) records.push_back(recordJson(r));
  return {{"historyCount", historyCount},
          {"history", records},
          {"setupApplied", setupApplied},
          {"userCancelled", userCancelled}};
}

template <class Item, class ToJson>
json listJson(const Item& items, ToJson toJson) {
  json list = json::array();
  for (const auto& item : items) list.push_back(toJson(item));
  return list;
}

}  // namespace

json observedComponentJson(ui::Form* dialog,
                           std::span<const portable::HeadlessEngine::MessageBoxShown> boxes,
                           std::span<const portable::HelpCall> helpCalls,
                           std::span<const portable::HeadlessEngine::Refused> refused) {
  return {
      {"dialog", dialog ? formJson(*dialog) : notLoadedJson()},
      {"messageBoxes", listJson(boxes, boxJson)},
      {"help", listJson(helpCalls, [&](const auto& h) { return helpJson(h, dialog); })},
      {"refused", listJson(refused, refusedJson)},
  };
}

json componentStateJson(const command::Component& c, ui::Form* dialog,
                        const portable::HeadlessEngine& engine,
                        std::span<const portable::HelpCall> helpCalls) {
  json state = observedComponentJson(dialog, engine.messageBoxes(), helpCalls, engine.refused());
  state["run"] = runJson(c.HistoryCount, c.SetupHistory.records(), c.SetupApplied, c.UserCancelled);
  state["errorReporterKept"] = c.reporting.hasReporter();
  return state;
}

json componentStateBeforeLoad() {
  return {
      {"dialog", notLoadedJson()},     {"run", runJson(0, {}, false, false)},
      {"messageBoxes", json::array()}, {"help", json::array()},
      {"refused", json::array()},      {"errorReporterKept", false},
  };
}

json componentStateSchema(ui::Form& designed) {
  json state = componentStateBeforeLoad();
  state["dialog"] = formJson(designed);
  state["messageBoxes"].push_back(boxJson({}));
  state["help"].push_back(helpJson({}, &designed));
  state["refused"].push_back(refusedJson({}));
  return state;
}

}  // namespace session
