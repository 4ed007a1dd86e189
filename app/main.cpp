// quadrift: runs session scripts of the Move Sheet Border command in the reference host.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "runner.hpp"
#include "script.hpp"

namespace {

std::filesystem::path executableFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

int run(const std::string& file, const std::string& jsonOut,
        const std::filesystem::path& satellites, bool quiet) {
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
  runCommand->add_option("FILE", file, "the session script")->required();
  runCommand->add_option("--json", jsonOut, "write the final state as JSON to FILE ('-': stdout)");
  runCommand->add_option("--satellites", satellites, "folder of the satellite resource libraries");
  runCommand->add_flag("-q,--quiet", quiet, "no transcript");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  return run(file, jsonOut, satellites, quiet);
}
