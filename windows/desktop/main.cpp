// quadrift-desktop.exe: the reference drafting host as a desktop program, with the Move Sheet
// Border command from kstQuadrift412.dll beside it.
#include <windows.h>

#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "standard_sheets.hpp"
#include "windows/desktop/help_registration.hpp"
#include "windows/desktop/main_window.hpp"
#include "windows/desktop/program_folder.hpp"
#include "windows/handles/apartment.hpp"
#include "windows/host/com_host.hpp"

namespace {

// The host as the program opens it: the sample floor plan under an A4 landscape sheet at 1:100
// (paper in millimetres), so that the sheet and the drawing are seen together.
refhost::Environment openingEnvironment() {
  constexpr std::int32_t kA4Landscape = 29;
  constexpr std::int32_t kOneToHundred = 34;
  refhost::Environment environment;
  environment.echoReportsToStderr = false;
  // The user's locale: the satellite the resource locator picks, and how lengths are written.
  environment.userLocale = GetUserDefaultLCID();
  environment.sheet.paperUnit = 1;
  environment.sheet.sizeIndex = kA4Landscape;
  environment.sheet.width = refhost::standardSizeWidth(kA4Landscape);
  environment.sheet.height = refhost::standardSizeHeight(kA4Landscape);
  const refhost::StandardScale& scale = refhost::kStandardScales[kOneToHundred - 1];
  environment.sheet.scaleMode = kOneToHundred;
  environment.sheet.scalePaper = scale.paper;
  environment.sheet.scaleModel = scale.model;
  return environment;
}

// The help file beside the program becomes the host's, so that a copied folder has its help.
// Without the right to write the machine's keys the program runs on, and Help opens nothing.
void registerOwnHelpFile(const refhost::Environment& environment) {
  const std::filesystem::path file = windows::desktop::programFolder() / "quadrift-desktop.chm";
  if (!std::filesystem::exists(file)) return;
  const std::string failure = windows::desktop::registerHelpFile(environment.registeredName, file);
  if (!failure.empty()) std::fprintf(stderr, "quadrift-desktop: %s\n", failure.c_str());
}

int run() {
  const refhost::Environment environment = openingEnvironment();
  registerOwnHelpFile(environment);
  windows::host_classes::ComHost desktop(environment,
                                         windows::desktop::programFolder() / "kstQuadrift412.dll");
  windows::desktop::MainWindow window(desktop);
  ShowWindow(window.handle(), SW_SHOWNORMAL);
  UpdateWindow(window.handle());
  window.runMessageLoop();
  return 0;
}

}  // namespace

int main() {
  const windows::ComApartment apartment;
  int status = 1;
  try {
    status = run();
  } catch (const std::exception& failure) {
    // Without a display no window can be made; say why, where a console can read it.
    std::fprintf(stderr, "quadrift-desktop: %s\n", failure.what());
    MessageBoxA(nullptr, failure.what(), "Move Sheet Border", MB_OK | MB_ICONERROR);
  }
  return status;
}
