#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/user_action.hpp"
#include "world.hpp"

namespace scenario {

// A whole command run through the headless engine and the reference host. A test adjusts
// `settings` (and, through `world()`, the host and platform), queues the user's input, then
// calls `start()`; the modal dialog pulls the queued input, and `start()` returns once the
// dialog is hidden for good and the host's loop has played the rest of the queue.
class ScenarioTest : public ::testing::Test {
 protected:
  ScenarioTest();
  ~ScenarioTest() override;

  // The world, built from `settings` on first use.
  session::World& world();
  refhost::ReferenceHost& host() { return world().host(); }
  portable::HeadlessEngine& engine() { return world().engine(); }
  command::Component& component() { return world().component(); }

  // Input, queued in order.
  void queue(portable::UserAction action) { engine().post(std::move(action)); }
  void click(std::string control) { queue(portable::UserAction::click(std::move(control))); }
  void pick(std::string list, std::int16_t entry) {
    queue(portable::UserAction::pick(std::move(list), entry));
  }
  void focus(std::string control) { queue(portable::UserAction::focus(std::move(control))); }
  void type(std::string text) { queue(portable::UserAction::type(std::move(text))); }
  // Clicks into a length field and types over its (selected) text.
  void enter(std::string field, std::string text) {
    focus(std::move(field));
    type(std::move(text));
  }
  void answer() { queue(portable::UserAction::answerBox()); }
  void closeWindow() { queue(portable::UserAction::close()); }
  // Runs `check` when the queue reaches this point.
  void probe(std::function<void()> check) {
    queue(portable::UserAction::probeStep(std::move(check)));
  }

  // The host creates the command and hands it the command object; then the host's loop plays
  // whatever input is left.
  void start();
  // The host releases the command.
  void end() { world().end(); }

  // The dialog's controls, by qualified name ("optSheetSize(2)").
  ui::Form& form();
  ui::TextBox& textBox(std::string_view name) { return form().textBox(name); }
  ui::ComboBox& list(std::string_view name) { return form().comboBox(name); }
  ui::OptionButton& option(std::string_view array, std::int16_t index);
  ui::Control& control(std::string_view name) { return form().control(name); }
  std::string text(std::string_view name) { return textBox(name).text(); }
  bool enabled(std::string_view name) { return control(name).enabled(); }

  // The host's call log: the calls of one member, and whether `earlier` was made before
  // `later` (first calls of each).
  std::vector<refhost::CallRecord> calls(std::string_view object, int member);
  std::vector<refhost::CallRecord> calls(std::string_view object, int member,
                                         automation::InvokeKind kind);
  // The index of the first call of the target ("HostSheetSetup.9", kind) at or after `from`;
  // 0 when there is none.
  std::size_t firstCall(std::string_view target, automation::InvokeKind kind, std::size_t from = 0);

  // Reports by identification string.
  std::size_t reportCount() { return host().errorReports().size(); }
  std::size_t reportsFrom(std::string_view ident);
  // "ident: description" of every report, for failure messages.
  std::string reportSummary();

  // The satellite tables are copies of the built ones with these strings replaced; set before
  // the world is built.
  void overrideString(std::uint32_t lcid, int id, const std::string& text);

  // A record of the sheet setup, for the host's initial state.
  static refhost::SheetSetupState sheet(std::int32_t sizeIndex, std::int32_t scaleMode);

  session::WorldSettings settings;

 private:
  std::unique_ptr<session::World> world_;
  std::map<std::uint32_t, std::map<int, std::string>> overrides_;
  std::optional<std::filesystem::path> overrideFolder_;
};

// Writes `text` as a string-table entry of a resource script: quotes doubled.
std::string resourceLiteral(std::string_view text);

}  // namespace scenario
