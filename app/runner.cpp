#include "runner.hpp"

#include <ostream>
#include <stdexcept>

#include "standard_sheets.hpp"
#include "state_json.hpp"
#include "ui/headless_engine.hpp"
#include "ui/key_names.hpp"
#include "ui/text_units.hpp"

namespace session {
namespace {

using nlohmann::json;

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

refhost::LengthUnit lengthUnitOf(const std::string& word) {
  if (word == "in") return refhost::LengthUnit::Inch;
  if (word == "ft") return refhost::LengthUnit::Foot;
  if (word == "cm") return refhost::LengthUnit::Centimetre;
  if (word == "m") return refhost::LengthUnit::Metre;
  return refhost::LengthUnit::Millimetre;
}

// Writes the transcript: each statement, the events it caused in the order they happened (from
// the world's event log), and what it changed on the sheet and in the dialog's controls.
class Transcript {
 public:
  Transcript(std::ostream* out, const portable::EventLog& log) : out_(out), log_(log) {}

  // A statement begins; whatever happened since the last one (start-up) is shown first.
  void statement(const std::string& source, SessionWorld& world) {
    events();
    if (!out_) return;
    *out_ << "> " << source << "\n";
    before_ = watched(world);
  }
  // The statement's input has been handled: its events, then its changes.
  void finish(SessionWorld& world) {
    events();
    if (!out_) return;
    const json after = watched(world);
    for (const auto& [key, value] : after.items()) {
      if (!before_.contains(key) || before_[key] != value) line(key + " = " + value.dump());
    }
    before_ = after;
  }
  // Everything logged since the last call, in order.
  void events() {
    const auto& logged = log_.events();
    for (; shown_ < logged.size(); ++shown_) line(logged[shown_].kind + ": " + logged[shown_].text);
  }
  bool pending() const { return shown_ < log_.events().size(); }
  void line(const std::string& text) {
    if (out_) *out_ << "  " << text << "\n";
  }

 private:
  // The values whose changes the transcript lists, flattened: "sheet.width", "txtSizeW.text".
  static json watched(SessionWorld& world) {
    const json state = stateJson(world);
    json flat = json::object();
    for (const auto& [key, value] : state["sheet"].items()) flat["sheet." + key] = value;
    if (state["dialog"].contains("controls")) {
      for (const auto& [name, control] : state["dialog"]["controls"].items()) {
        for (const auto& [key, value] : control.items()) flat[name + "." + key] = value;
      }
    }
    return flat;
  }

  std::ostream* out_;
  const portable::EventLog& log_;
  json before_ = json::object();
  std::size_t shown_ = 0;
};

ui::Key keyOf(const std::string& name, const Statement& s, const std::string& file) {
  if (const std::optional<ui::Key> key = portable::keyNamed(name)) return *key;
  throw ScriptError(file, s.line,
                    "unknown key '" + name + "' (" + portable::keyNameList() + ", Alt+X)");
}

}  // namespace

std::optional<portable::UserAction> inputOf(const Statement& s, const std::string& file) {
  using portable::UserAction;
  return std::visit(
      Overloaded{
          [](const Click& a) -> std::optional<UserAction> { return UserAction::click(a.control); },
          [](const Pick& a) -> std::optional<UserAction> {
            return UserAction::pick(a.control, static_cast<std::int16_t>(a.index));
          },
          [](const Focus& a) -> std::optional<UserAction> { return UserAction::focus(a.control); },
          [](const Type& a) -> std::optional<UserAction> { return UserAction::type(a.text); },
          [&](const Key& a) -> std::optional<UserAction> {
            if (a.key.rfind("Alt+", 0) == 0 && ui::text::length(a.key.substr(4)) == 1) {
              return UserAction::alt(ui::text::codePointAt(a.key, 4));
            }
            return UserAction::press(keyOf(a.key, s, file));
          },
          [](const Answer&) -> std::optional<UserAction> { return UserAction::answerBox(); },
          [](const Close&) -> std::optional<UserAction> { return UserAction::close(); },
          [](const MouseMove& a) -> std::optional<UserAction> {
            return UserAction::mouseMove(a.x, a.y);
          },
          [](const MouseClick& a) -> std::optional<UserAction> {
            return UserAction::mouseClick(static_cast<std::int16_t>(a.button), a.x, a.y);
          },
          [](const auto&) -> std::optional<UserAction> { return std::nullopt; },
      },
      s.action);
}

WorldSettings worldSettings(const Script& script, const std::filesystem::path& satelliteFolder) {
  WorldSettings w;
  w.satelliteFolder = satelliteFolder;
  w.host.echoReportsToStderr = false;
  PrinterDescription caps;  // the printer's capabilities, from `printer-caps`
  for (const Statement& s : script.statements) {
    std::visit(Overloaded{
                   [&](const SetLocale& a) { w.locale = a.lcid; },
                   [&](const SetPaperUnit& a) { w.host.sheet.paperUnit = a.code; },
                   [&](const SetDocumentUnit& a) {
                     w.host.documentFormat.unit = lengthUnitOf(a.unit);
                     w.host.documentFormat.decimals = a.decimals;
                   },
                   [&](const SetSheetSize& a) {
                     w.host.sheet.sizeIndex = a.index;
                     if (a.index == -2) {
                       w.host.sheet.width = a.width;
                       w.host.sheet.height = a.height;
                     } else if (a.index >= 0) {
                       w.host.sheet.width = refhost::standardSizeWidth(a.index);
                       w.host.sheet.height = refhost::standardSizeHeight(a.index);
                     }
                   },
                   [&](const SetSheetScale& a) {
                     w.host.sheet.scaleMode = a.mode;
                     if (a.mode == 0) {
                       w.host.sheet.scalePaper = a.paper;
                       w.host.sheet.scaleModel = a.model;
                     } else if (a.mode == -1) {
                       w.host.sheet.scalePaper = w.host.sheet.scaleModel = refhost::kMetresPerInch;
                     } else {
                       const auto& sc =
                           refhost::kStandardScales[static_cast<std::size_t>(a.mode - 1)];
                       w.host.sheet.scalePaper = sc.paper;
                       w.host.sheet.scaleModel = sc.model;
                     }
                   },
                   [&](const SetSheetOrigin& a) {
                     w.host.sheet.originX = a.x;
                     w.host.sheet.originY = a.y;
                   },
                   [&](const SetPrinter& a) {
                     if (a.present) {
                       w.printer = caps;
                       w.printer->paper = a.paper;
                       w.printer->orientation = a.orientation;
                     } else {
                       w.printer.reset();
                     }
                   },
                   // Capabilities describe the printer a `printer` statement sets up, before it
                   // or after; they make none of their own.
                   [&](const SetPrinterCaps& a) {
                     caps.offsetX = a.offX;
                     caps.offsetY = a.offY;
                     caps.physicalWidth = a.physW;
                     caps.physicalHeight = a.physH;
                     caps.horzSizeMm = a.horzMm;
                     caps.vertSizeMm = a.vertMm;
                     if (w.printer) {
                       caps.paper = w.printer->paper;
                       caps.orientation = w.printer->orientation;
                       w.printer = caps;
                     }
                   },
                   [&](const SetHelpFile& a) { w.helpFile = a.path; },
                   [&](const SetSatelliteAbsent& a) { w.absentSatellites.push_back(a.lcid); },
                   [&](const SetUndoDepth& a) { w.host.undoDepth = a.depth; },
                   [](const auto&) {},
               },
               s.action);
  }
  return w;
}

RunResult runScript(const Script& script, const RunOptions& options) {
  const auto world = makeWorld(script, options.satelliteFolder, options.engine);
  return runScript(script, *world, options);
}

RunResult runScript(const Script& script, SessionWorld& world, const RunOptions& options) {
  for (const Statement& s : script.statements) {
    if (const auto* f = std::get_if<InjectFault>(&s.action)) {
      const std::string target = f->object + "." + f->member;
      if (f->nth) {
        world.host().faults().failMemberCall(target, static_cast<std::size_t>(*f->nth));
      } else {
        world.host().faults().failMember(target);
      }
    }
  }
  if (options.prepare) options.prepare(world);

  RunResult result;
  Transcript transcript(options.transcript, world.events());
  bool started = false;
  const Statement* end = nullptr;
  for (const Statement& s : script.statements) {
    if (std::holds_alternative<Start>(s.action)) {
      started = true;
      continue;
    }
    if (std::holds_alternative<End>(s.action)) end = &s;
    if (!started || end != nullptr) continue;
    // The statement's line first, then its input, then what it caused and its check.
    world.post(portable::UserAction::probeStep(
        [&transcript, &s, &world] { transcript.statement(s.source, world); }));
    if (auto input = inputOf(s, script.file)) world.post(std::move(*input));
    world.post(portable::UserAction::probeStep([&world, &s, &transcript, &result, &options,
                                                &script] {
      transcript.finish(world);
      if (const auto* e = std::get_if<Expect>(&s.action); e && !world.observes(e->subject)) {
        transcript.line("not observable from outside: " + e->subject);
      } else if (e) {
        std::string actual;
        try {
          actual = subjectValue(stateJson(world), e->subject);
        } catch (const std::invalid_argument& wrong) {
          throw ScriptError(script.file, s.line, wrong.what());
        }
        if (!matches(actual, e->value)) {
          const std::string what = script.file + ":" + std::to_string(s.line) + ": expected " +
                                   e->subject + " = \"" + e->value + "\", found \"" + actual + "\"";
          transcript.line("FAILED: " + what);
          result.failedExpectations.push_back(what);
        }
      } else if (const auto* shot = std::get_if<Snapshot>(&s.action)) {
        if (options.snapshot) options.snapshot(world, shot->name);
      }
    }));
  }

  if (started) {
    try {
      transcript.statement("start", world);
      world.start();
      world.runUntilIdle();
      result.finished = true;
    } catch (const portable::RunAborted& aborted) {
      result.abortReason = aborted.what();
      transcript.events();
      transcript.line(std::string("run ended: ") + aborted.what());
    }
    transcript.events();
  }
  if (options.snapshot) options.snapshot(world, "");
  // The dialog as it stood when the run ended; everything else after the host let go of the
  // command, so that what the command left behind (live objects, reports) is counted.
  const nlohmann::json lastDialog = stateJson(world)["dialog"];
  world.end();
  // What releasing the command showed goes under `end`, written or implied.
  if (end != nullptr) {
    transcript.statement(end->source, world);
  } else if (transcript.pending()) {
    transcript.statement("end  # implied", world);
  }
  transcript.events();
  result.finalState = stateJson(world);
  result.finalState["dialog"] = lastDialog;
  return result;
}

}  // namespace session
