#include "support/scenario_test.hpp"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "dialog/frm_main.hpp"
#include "standard_sheets.hpp"

namespace scenario {

namespace {

std::filesystem::path freshFolder() {
  static std::atomic<unsigned> counter{0};
  const auto folder =
      std::filesystem::temp_directory_path() /
      ("quadrift-scenario-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  return folder;
}

// Copies the script, replacing the entries named in `strings`.
std::string withStrings(std::istream& in, const std::map<int, std::string>& strings) {
  std::ostringstream out;
  std::string line;
  while (std::getline(in, line)) {
    const auto first = line.find_first_not_of(' ');
    const auto comma = line.find(',');
    if (first != std::string::npos && comma != std::string::npos && comma > first) {
      const std::string id = line.substr(first, comma - first);
      if (id.find_first_not_of("0123456789") == std::string::npos) {
        if (auto it = strings.find(std::stoi(id)); it != strings.end()) {
          line = "    " + id + ", " + resourceLiteral(it->second);
        }
      }
    }
    out << line << "\n";
  }
  return out.str();
}

}  // namespace

std::string resourceLiteral(std::string_view text) {
  std::string literal = "\"";
  for (const char ch : text) {
    if (ch == '"') literal += '"';
    literal += ch;
  }
  return literal + "\"";
}

ScenarioTest::ScenarioTest() {
  settings.satelliteFolder = QUADRIFT_BINARY_DIR;
  settings.host.echoReportsToStderr = false;
}

ScenarioTest::~ScenarioTest() {
  world_.reset();
  if (overrideFolder_) {
    std::error_code ignored;
    std::filesystem::remove_all(*overrideFolder_, ignored);
  }
}

session::World& ScenarioTest::world() {
  if (!world_) {
    if (!overrides_.empty()) {
      overrideFolder_ = freshFolder();
      for (const auto& entry : std::filesystem::directory_iterator(settings.satelliteFolder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("kstQuadrift_", 0) != 0 || entry.path().extension() != ".dll") continue;
        const auto lcid = static_cast<std::uint32_t>(std::stoul(
            name.substr(12, name.size() - 12 - entry.path().extension().string().size())));
        std::ifstream in(entry.path(), std::ios::binary);
        const auto it = overrides_.find(lcid);
        std::ofstream(*overrideFolder_ / name, std::ios::binary)
            << withStrings(in, it == overrides_.end() ? std::map<int, std::string>{} : it->second);
      }
      settings.satelliteFolder = *overrideFolder_;
    }
    world_ = std::make_unique<session::World>(settings);
  }
  return *world_;
}

void ScenarioTest::start() {
  world().start();
  engine().runUntilIdle();
}

ui::Form& ScenarioTest::form() {
  dialog::FrmMain* frm = world().dialog();
  if (frm == nullptr) throw std::logic_error("the command has not been created");
  return frm->form();
}

ui::OptionButton& ScenarioTest::option(std::string_view array, std::int16_t index) {
  return form().optionArray(array)[index];
}

std::vector<refhost::CallRecord> ScenarioTest::calls(std::string_view object, int member) {
  return host().callLog().of(object, member);
}

std::vector<refhost::CallRecord> ScenarioTest::calls(std::string_view object, int member,
                                                     automation::InvokeKind kind) {
  std::vector<refhost::CallRecord> chosen;
  for (auto& r : host().callLog().of(object, member)) {
    if (r.kind == kind) chosen.push_back(std::move(r));
  }
  return chosen;
}

std::size_t ScenarioTest::firstCall(std::string_view target, automation::InvokeKind kind,
                                    std::size_t from) {
  for (const auto& r : host().callLog().records()) {
    if (r.index >= from && r.kind == kind && r.target() == target) return r.index;
  }
  return 0;
}

std::size_t ScenarioTest::reportsFrom(std::string_view ident) {
  std::size_t n = 0;
  for (const auto& r : host().errorReports())
    if (r.ident == ident) ++n;
  return n;
}

std::string ScenarioTest::reportSummary() {
  std::string all;
  for (const auto& r : host().errorReports()) all += r.ident + ": " + r.description + "\n";
  return all;
}

void ScenarioTest::overrideString(std::uint32_t lcid, int id, const std::string& text) {
  if (world_) throw std::logic_error("strings must be replaced before the world is built");
  overrides_[lcid][id] = text;
}

refhost::SheetSetupState ScenarioTest::sheet(std::int32_t sizeIndex, std::int32_t scaleMode) {
  refhost::SheetSetupState s;
  s.sizeIndex = sizeIndex;
  if (sizeIndex >= 0) {
    s.width = refhost::standardSizeWidth(sizeIndex);
    s.height = refhost::standardSizeHeight(sizeIndex);
  }
  s.scaleMode = scaleMode;
  if (scaleMode >= 1) {
    const auto& sc = refhost::kStandardScales[static_cast<std::size_t>(scaleMode - 1)];
    s.scalePaper = sc.paper;
    s.scaleModel = sc.model;
  }
  return s;
}

}  // namespace scenario
