// quadrift: runs session scripts of the Move Sheet Border command in the reference host.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>

#include <unistd.h>

#include "run_file.hpp"
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

  // Whether every picture asked for was written.
  bool snapshot(session::SessionWorld& world, const std::string& name) {
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
      return false;
    }
    if (!temporary) announce(svgFile);
    bool written = true;
    if (!png_.empty()) {
      const std::filesystem::path pngFile = session::snapshotPath(png_, name);
      const std::string error = session::renderPng(svgFile, pngFile);
      if (error.empty()) {
        announce(pngFile);
      } else {
        std::cerr << error << "\n";
        written = false;
      }
    }
    if (temporary) std::filesystem::remove(svgFile);
    return written;
  }

 private:
  void announce(const std::filesystem::path& file) const {
    if (!quiet_) std::cout << "picture written to " << file.string() << "\n";
  }

  std::filesystem::path svg_, png_;
  bool quiet_;
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Runs sessions of the Move Sheet Border command in the reference host."};
  app.require_subcommand(1);
  session::RunFileOptions options;
  options.satellites = executableFolder().string();
  CLI::App* runCommand = session::addRunCommand(app, options);
  std::string svgOut;
  std::string pngOut;
  runCommand->add_option("--svg", svgOut,
                         "draw the host's view to OUT.svg at the end, and to OUT-NAME.svg at "
                         "each snapshot \"NAME\"");
  runCommand->add_option("--png", pngOut, "the same pictures as PNG (rendered by rsvg-convert)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  Pictures pictures(svgOut, pngOut, options.quiet);
  if (pictures.wanted()) {
    options.snapshot = [&pictures](session::SessionWorld& world, const std::string& name) {
      return pictures.snapshot(world, name);
    };
  }
  return session::runFile(options);
}
