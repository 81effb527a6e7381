// tidemark-uidriver [--screenshots FOLDER] [--set NAME=VALUE]... CASE.txt
//
// Drives the installer's window through one end-to-end case (the language
// is described in script.h and case_runner.cpp; the case is UTF-8 text). Screenshots go to FOLDER,
// else to $TIDEMARK_SCREENSHOTS, else to screenshots\<case name>.
// Exit code: 0 passed, 1 failed, 2 the case or the command line is wrong.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/driver/case_runner.h"
#include "tests/e2e/driver/case_text.h"
#include "tests/e2e/driver/script.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tidemark-uidriver [--screenshots FOLDER] [--set NAME=VALUE]... CASE.txt\n");
  return 2;
}

// The installer is aware of each monitor's DPI; the driver reads the places
// and sizes of its windows, and points at them, in the same device pixels.
void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto set_context = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  // -4 is DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2.
  if (set_context != nullptr && set_context(reinterpret_cast<HANDLE>(-4))) return;
  SetProcessDPIAware();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tidemark::e2e;
  std::string case_path;
  RunOptions options;
  Variables variables;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshots" && i + 1 < argc) {
      options.screenshot_folder = argv[++i];
    } else if (arg == "--set" && i + 1 < argc) {
      const std::string assignment = argv[++i];
      const size_t equals = assignment.find('=');
      if (equals == std::string::npos || equals == 0) return Usage();
      variables[assignment.substr(0, equals)] = assignment.substr(equals + 1);
    } else if (case_path.empty() && arg.rfind("--", 0) != 0) {
      case_path = arg;
    } else {
      return Usage();
    }
  }
  if (case_path.empty()) return Usage();
  BecomeDpiAware();
  if (options.screenshot_folder.empty()) {
    const char* from_environment = std::getenv("TIDEMARK_SCREENSHOTS");
    options.screenshot_folder =
        from_environment
            ? std::string(from_environment)
            : (std::filesystem::path("screenshots") / std::filesystem::path(case_path).stem())
                  .string();
  }

  std::ifstream file(case_path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", case_path.c_str());
    return 2;
  }
  // Case files are UTF-8; each word goes to the ANSI code page once the
  // line is split (a double-byte character may end in the byte "\").
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::vector<Command> commands;
  try {
    commands = ParseScript(text);
    ExpandVariables(commands, variables);
    WordsInAnsiCodePage(commands);
    CheckScript(commands);
  } catch (const ScriptError& error) {
    std::fprintf(stderr, "%s: %s\n", case_path.c_str(), error.what());
    return 2;
  }

  CaseRunner runner(options);
  return runner.Run(commands) ? 0 : 1;
}
