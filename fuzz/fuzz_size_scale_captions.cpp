// cboSize_Click and cboScale_Click on arbitrary captions, through the loaded component and the
// reference host: the caption becomes the only entry of the list and is selected while the
// dialog is up. Whatever it holds, nothing escapes to the host, at most one report is made and
// it names the handler, and each of the two fields either keeps its text or shows a length the
// host reads. One started command per locale serves every input; building a world per input
// would cost most of the run.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dialog/frm_main.hpp"
#include "fuzz_check.hpp"
#include "length_parser.hpp"
#include "world.hpp"

namespace {

// A world whose command has started and whose dialog waits for input that never comes: its
// handlers are then reached directly through the dialog's controls.
session::World& startedWorld(std::uint32_t locale) {
  auto make = [](std::uint32_t lcid) {
    session::WorldSettings settings;
    settings.satelliteFolder = QUADRIFT_BINARY_DIR;
    settings.host.echoReportsToStderr = false;
    settings.locale = lcid;
    auto* world = new session::World(settings);
    try {
      world->start();
    } catch (const portable::InputExhausted&) {
    }
    FUZZ_CHECK(world->dialog() != nullptr);
    return world;
  };
  static session::World* english = make(1033);
  static session::World* german = make(1031);
  return locale == 1031 ? *german : *english;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool scale = (data[0] & 1) != 0;
  const std::uint32_t locale = (data[0] & 2) != 0 ? 1031 : 1033;
  const std::string caption(reinterpret_cast<const char*>(data + 1), size - 1);
  session::World& world = startedWorld(locale);
  world.host().environment().documentFormat.decimals = (data[0] >> 2) % 11;

  const char* list = scale ? "cboScale" : "cboSize";
  const char* fields[] = {scale ? "txtDSPaper" : "txtSizeW", scale ? "txtDSModel" : "txtSizeH"};
  const std::string ident =
      std::string("kstQuadrift.frmMain:") + (scale ? "cboScale_Click()" : "cboSize_Click()");
  world.host().callLog().clear();  // the log of a long run would otherwise grow without end
  ui::Form& form = world.dialog()->form();
  for (const char* field : fields) form.textBox(field).setText("unchanged");
  const std::size_t reportsBefore = world.host().errorReports().size();
  const std::size_t liveBefore = world.host().liveObjects();

  ui::ComboBox& box = form.comboBox(list);
  box.clear();
  box.addItem(caption);
  box.setListIndex(0);

  const auto& reports = world.host().errorReports();
  FUZZ_CHECK(reports.size() - reportsBefore <= 1);
  for (std::size_t i = reportsBefore; i < reports.size(); ++i)
    FUZZ_CHECK(reports[i].ident == ident);
  FUZZ_CHECK(world.host().eventFailures().empty());
  // The error reporter is created at the first report and kept; nothing else may stay.
  const bool firstReport = reportsBefore == 0 && reports.size() == 1;
  FUZZ_CHECK(world.host().liveObjects() == liveBefore + (firstReport ? 1 : 0));
  const char separator = locale == 1031 ? ',' : '.';
  for (const char* field : fields) {
    const std::string& now = form.textBox(field).text();
    if (now == "unchanged") continue;
    FUZZ_CHECK(refhost::parseLength(now, refhost::LengthUnit::Millimetre, separator).metres);
  }
  return 0;
}
