#pragma once

#include <span>

#include <nlohmann/json.hpp>

#include "events/help_call.hpp"
#include "ui/headless_engine.hpp"

namespace command {
class Component;
}
namespace ui {
class Form;
}

namespace session {

// The component's side of a session's state, as the component itself can tell it wherever it
// runs: "dialog" (the command's dialog form, none when `dialog` is null), "run" (its setup history
// and outcome), "messageBoxes", "help", "refused", and "errorReporterKept" (whether the
// component keeps the host's error reporter, which the host's count of live objects includes).
nlohmann::json componentStateJson(const command::Component& component, ui::Form* dialog,
                                  const portable::HeadlessEngine& engine,
                                  std::span<const portable::HelpCall> helpCalls);

// What a user sees of the component, as JSON of the same shape wherever it is read from (the
// component's own model, or the windows on screen): "dialog" (the form, none when `dialog` is
// null), "messageBoxes", "help" and "refused".
nlohmann::json observedComponentJson(
    ui::Form* dialog, std::span<const portable::HeadlessEngine::MessageBoxShown> boxes,
    std::span<const portable::HelpCall> helpCalls,
    std::span<const portable::HeadlessEngine::Refused> refused);

// The component's side before the component is loaded: no dialog, no run, empty lists.
nlohmann::json componentStateBeforeLoad();

// The component's side with every field a script may name: `designed` as the dialog's form
// (every control, every property) and one entry in each list.
nlohmann::json componentStateSchema(ui::Form& designed);

}  // namespace session
