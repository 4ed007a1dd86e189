// cboSize_Click and cboScale_Click on arbitrary captions, through the loaded component and the
// reference host: the caption becomes the only entry of the list and is selected while the
// dialog is up. Whatever it holds, nothing escapes to the host, at most one report is made and
// it names the handler, and each of the two fields either keeps its text or shows a length the
// host reads. One started command per locale serves every input; building a world per input
// would cost most of the run. Each input sets what the handlers read (the list, the two fields,
// the document's decimals) and starts with no report kept from the input before.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialog/frm_main.hpp"
#include "fuzz_check.hpp"
#include "length_parser.hpp"
#include "world.hpp"

namespace {

// One list and the two fields its handler fills.
struct Frame {
  ui::ComboBox* list;
  ui::TextBox* fields[2];
  std::string ident;
};

// A world whose command has started and whose dialog waits for input that never comes: its
// handlers are then reached directly through the dialog's controls, looked up once.
struct StartedDialog {
  session::World* world;
  Frame size;
  Frame scale;
};

StartedDialog& startedDialog(std::uint32_t locale) {
  auto make = [](std::uint32_t lcid) {
    session::WorldSettings settings;
    settings.satelliteFolder = QUADRIFT_BINARY_DIR;
    settings.host.echoReportsToStderr = false;
    settings.locale = lcid;
    auto* world = new session::World(settings);
    // Nothing here reads the host's call log: recording every call only costs.
    world->host().callLog().setRecording(false);
    try {
      world->start();
    } catch (const portable::InputExhausted&) {
    }
    FUZZ_CHECK(world->dialog() != nullptr);
    ui::Form& form = world->dialog()->form();
    const std::string prefix = "kstQuadrift.frmMain:";
    return StartedDialog{world,
                         {&form.comboBox("cboSize"),
                          {&form.textBox("txtSizeW"), &form.textBox("txtSizeH")},
                          prefix + "cboSize_Click()"},
                         {&form.comboBox("cboScale"),
                          {&form.textBox("txtDSPaper"), &form.textBox("txtDSModel")},
                          prefix + "cboScale_Click()"}};
  };
  static StartedDialog english = make(1033);
  static StartedDialog german = make(1031);
  return locale == 1031 ? german : english;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool scale = (data[0] & 1) != 0;
  const std::uint32_t locale = (data[0] & 2) != 0 ? 1031 : 1033;
  const std::string caption(reinterpret_cast<const char*>(data + 1), size - 1);
  StartedDialog& dialog = startedDialog(locale);
  session::World& world = *dialog.world;
  const Frame& frame = scale ? dialog.scale : dialog.size;
  world.host().environment().documentFormat.decimals = (data[0] >> 2) % 11;

  // Kept, the reports of a long run would grow without end.
  world.host().clearErrorReports();
  for (ui::TextBox* field : frame.fields) field->setText("unchanged");
  const bool hadReporter = world.component().reporting.hasReporter();
  const std::size_t liveBefore = world.host().liveObjects();

  frame.list->clear();
  frame.list->addItem(caption);
  frame.list->setListIndex(0);

  const auto& reports = world.host().errorReports();
  FUZZ_CHECK(reports.size() <= 1);
  for (const auto& report : reports) FUZZ_CHECK(report.ident == frame.ident);
  FUZZ_CHECK(world.host().eventFailures().empty());
  // The error reporter is created at the first report and kept; nothing else may stay.
  const bool madeReporter = !hadReporter && world.component().reporting.hasReporter();
  FUZZ_CHECK(!madeReporter || reports.size() == 1);
  FUZZ_CHECK(world.host().liveObjects() == liveBefore + (madeReporter ? 1 : 0));
  const char separator = locale == 1031 ? ',' : '.';
  for (const ui::TextBox* field : frame.fields) {
    const std::string& now = field->text();
    if (now == "unchanged") continue;
    FUZZ_CHECK(refhost::parseLength(now, refhost::LengthUnit::Millimetre, separator).metres);
  }
  return 0;
}
