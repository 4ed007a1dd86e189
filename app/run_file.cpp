#include "run_file.hpp"

#include <fstream>
#include <iostream>
#include <sstream>

#include "runner.hpp"
#include "script.hpp"
#include "ui/headless_engine.hpp"

namespace session {

CLI::App* addRunCommand(CLI::App& app, RunFileOptions& options) {
  CLI::App* run = app.add_subcommand("run", "Run a session script");
  run->add_option("FILE", options.file, "the session script")->required();
  run->add_option("--json", options.jsonOut, "write the final state as JSON to FILE ('-': stdout)");
  run->add_option("--satellites", options.satellites, "folder of the satellite resource libraries");
  run->add_flag("-q,--quiet", options.quiet, "no transcript");
  return run;
}

int runFile(const RunFileOptions& o) {
  std::ifstream in(o.file, std::ios::binary);
  if (!in) {
    std::cerr << o.file << ": cannot be read\n";
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();

  RunOptions options;
  options.satelliteFolder = o.satellites;
  options.engine = o.engine;
  options.prepare = o.prepare;
  options.transcript = o.quiet ? nullptr : &std::cout;
  bool unwritten = false;  // a picture or the state could not be written
  if (o.snapshot) {
    options.snapshot = [&](SessionWorld& world, const std::string& name) {
      if (!o.snapshot(world, name)) unwritten = true;
    };
  }
  RunResult result;
  try {
    result = runScript(parseScript(text.str(), o.file), options);
  } catch (const ScriptError& e) {
    std::cerr << e.what() << "\n";
    return 2;
  } catch (const portable::UnknownControl& e) {
    std::cerr << o.file << ": " << e.what() << "\n";
    return 2;
  } catch (const WorldUnavailable& e) {
    std::cerr << o.file << ": the session cannot be set up: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    // The system refused what the run needed of it (a file, a folder): no result.
    std::cerr << o.file << ": the session could not run: " << e.what() << "\n";
    return 2;
  }

  if (!o.jsonOut.empty()) {
    const std::string dumped = result.finalState.dump(2);
    if (o.jsonOut == "-") {
      std::cout << dumped << "\n";
    } else {
      std::ofstream out(o.jsonOut, std::ios::binary);
      if (out << dumped << "\n" << std::flush) {
        if (!o.quiet) std::cout << "state written to " << o.jsonOut << "\n";
      } else {
        std::cerr << o.jsonOut << ": cannot be written\n";
        unwritten = true;
      }
    }
  }
  if (!result.finished)
    std::cerr << o.file << ": the run did not finish: " << result.abortReason << "\n";
  for (const auto& f : result.failedExpectations) std::cerr << f << "\n";
  if (!o.quiet) std::cout << (result.exitStatus() == 0 ? "ok" : "FAILED") << "\n";
  if (unwritten) return 2;
  return result.exitStatus();
}

}  // namespace session
