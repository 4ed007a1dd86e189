// quadrift.exe: runs session scripts of the Move Sheet Border command with the component in
// the DLL's test variant beside it, registers or unregisters a DLL of the component, and
// installs the printer sessions with a `printer` statement run against.
#include <windows.h>

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <string>

#include "run_file.hpp"
#include "windows/app/desktop_world.hpp"
#include "windows/app/printer_installation.hpp"
#include "windows/host/server_library.hpp"

namespace {

std::filesystem::path executableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return std::filesystem::path(path).parent_path();
}

// Calls the registration export `name` of the DLL at `path`: exit 0 when it succeeds, else 1
// with the reason.
int registration(const std::string& path, const char* name, const char* done) {
  const std::string failure = windows::callRegistration(std::filesystem::u8path(path), name);
  if (!failure.empty()) {
    std::cerr << path << ": " << failure << "\n";
    return 1;
  }
  std::cout << path << ": " << done << "\n";
  return 0;
}

int installation() {
  const std::string failure = windows::installPrinter();
  if (!failure.empty()) {
    std::cerr << windows::kInstalledPrinterName << ": " << failure << "\n";
    return 1;
  }
  std::cout << windows::kInstalledPrinterName << ": installed as the default printer\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Runs sessions of the Move Sheet Border command with the component in its DLL."};
  app.require_subcommand(1);
  session::RunFileOptions options;
  options.satellites = executableFolder().string();
  CLI::App* run = session::addRunCommand(app, options);
  std::string ui = "headless";
  run->add_option("--ui", ui, "the dialog's engine: headless, or win32 (real windows, real input)")
      ->check(CLI::IsMember({"headless", "win32"}));
  std::string screenshots;
  run->add_option("--screenshot", screenshots,
                  "with --ui win32: write PNG pictures of the dialog after start-up and of the "
                  "host's view during placement into DIR");
  std::string dll;
  CLI::App* registerCommand = app.add_subcommand("register", "Register the component's DLL");
  registerCommand->add_option("PATH", dll, "the DLL")->required();
  CLI::App* unregisterCommand =
      app.add_subcommand("unregister", "Remove the component's DLL's registration");
  unregisterCommand->add_option("PATH", dll, "the DLL")->required();
  CLI::App* installCommand = app.add_subcommand(
      "install-printer", "Add the printer sessions run against and make it the default");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  if (registerCommand->parsed()) return registration(dll, "ZULRegisterServer", "registered");
  if (unregisterCommand->parsed()) return registration(dll, "ZULUnregisterServer", "unregistered");
  if (installCommand->parsed()) return installation();
  if (ui == "win32") options.engine = session::DialogEngine::Win32;
  if (!screenshots.empty()) {
    if (options.engine != session::DialogEngine::Win32) {
      std::cerr << "--screenshot needs --ui win32\n";
      return 2;
    }
    options.prepare = [&screenshots](session::SessionWorld& world) {
      static_cast<windows::DesktopWorld&>(world).takeScreenshots(
          std::filesystem::u8path(screenshots));
    };
    options.snapshot = [](session::SessionWorld& world, const std::string& name) {
      return !name.empty() || static_cast<windows::DesktopWorld&>(world).screenshotsWritten();
    };
  }
  return session::runFile(options);
}
