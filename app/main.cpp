// quadrift: runs session scripts of the Move Sheet Border command in the reference host.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include <unistd.h>

#include "runner.hpp"
#include "script.hpp"
#include "view_picture.hpp"

namespace {

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

// Writes the pictures of the host's view: SVG where asked, and PNG rendered from it.
class Pictures {
 public:
  Pictures(std::filesystem::path svg, std::filesystem::path png, bool quiet)
      : svg_(std::move(svg)), png_(std::move(png)), quiet_(quiet) {}

  bool wanted() const { return !svg_.empty() || !png_.empty(); }
  bool failed() const { return failed_; }

  void snapshot(session::World& world, const std::string& name) {
    const std::string picture = session::viewSvg(world.host(), name);
    std::filesystem::path svgFile;
    bool temporary = false;
    if (!svg_.empty()) {
      svgFile = session::snapshotPath(svg_, name);
    } else {
      svgFile = std::filesystem::temp_directory_path() /
                ("quadrift-view-" + std::to_string(::getpid()) + ".svg");
      temporary = true;
    }
    if (!(std::ofstream(svgFile, std::ios::binary) << picture)) {
      std::cerr << svgFile.string() << ": cannot be written\n";
      failed_ = true;
      return;
    }
    if (!temporary) announce(svgFile);
    if (!png_.empty()) {
      const std::filesystem::path pngFile = session::snapshotPath(png_, name);
      const std::string error = session::renderPng(svgFile, pngFile);
      if (error.empty()) {
        announce(pngFile);
      } else {
        std::cerr << error << "\n";
        failed_ = true;
      }
    }
    if (temporary) std::filesystem::remove(svgFile);
  }

 private:
  void announce(const std::filesystem::path& file) const {
    if (!quiet_) std::cout << "picture written to " << file.string() << "\n";
  }

  std::filesystem::path svg_, png_;
  bool quiet_;
  bool failed_ = false;
};

int run(const std::string& file, const std::string& jsonOut,
        const std::filesystem::path& satellites, bool quiet, Pictures& pictures) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << file << ": cannot be read\n";
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();

  session::RunOptions options;
  options.satelliteFolder = satellites;
  options.transcript = quiet ? nullptr : &std::cout;
  if (pictures.wanted()) {
    options.snapshot = [&pictures](session::World& world, const std::string& name) {
      pictures.snapshot(world, name);
    };
  }
  session::RunResult result;
  try {
    result = session::runScript(session::parseScript(text.str(), file), options);
  } catch (const session::ScriptError& e) {
    std::cerr << e.what() << "\n";
    return 2;
  } catch (const portable::UnknownControl& e) {
    std::cerr << file << ": " << e.what() << "\n";
    return 2;
  }

  if (!jsonOut.empty()) {
    const std::string dumped = result.finalState.dump(2);
    if (jsonOut == "-") {
      std::cout << dumped << "\n";
    } else {
      std::ofstream(jsonOut) << dumped << "\n";
      if (!quiet) std::cout << "state written to " << jsonOut << "\n";
    }
  }
  if (!result.finished)
    std::cerr << file << ": the run did not finish: " << result.abortReason << "\n";
  for (const auto& f : result.failedExpectations) std::cerr << f << "\n";
  if (!quiet) {
    std::cout << (result.exitStatus() == 0 ? "ok" : "FAILED") << "\n";
  }
  if (pictures.failed()) return 2;
  return result.exitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Runs sessions of the Move Sheet Border command in the reference host."};
  app.require_subcommand(1);
  CLI::App* runCommand = app.add_subcommand("run", "Run a session script");
  std::string file;
  std::string jsonOut;
  std::string satellites = executableFolder().string();
  bool quiet = false;
  std::string svgOut;
  std::string pngOut;
  runCommand->add_option("FILE", file, "the session script")->required();
  runCommand->add_option("--json", jsonOut, "write the final state as JSON to FILE ('-': stdout)");
  runCommand->add_option("--satellites", satellites, "folder of the satellite resource libraries");
  runCommand->add_flag("-q,--quiet", quiet, "no transcript");
  runCommand->add_option("--svg", svgOut,
                         "draw the host's view to OUT.svg at the end, and to OUT-NAME.svg at "
                         "each snapshot \"NAME\"");
  runCommand->add_option("--png", pngOut, "the same pictures as PNG (rendered by rsvg-convert)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  Pictures pictures(svgOut, pngOut, quiet);
  return run(file, jsonOut, satellites, quiet, pictures);
}
