// The installer's command line. Without switches the wizard runs; "/S"
// asks for the unattended run, which an administrator's deployment starts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tidemark {

struct CommandLine {
  // "/S": install or remove without any window or box.
  bool unattended = false;
  // "/D=PATH": the install folder. Unquoted, it comes last: the whole rest
  // of the line after "/D=" is the path, spaces included, its double quotes
  // dropped (/D="C:\My Apps"). A quoted word ("/D=C:\My Apps"), as
  // deployment tools pass an argument with blanks, is the path by itself,
  // and switches may follow it.
  std::optional<std::string> install_folder;
  // "/LOG=PATH": the plain-text log of the unattended run. A path with
  // spaces is quoted ("/LOG=C:\My Logs\setup.log" or /LOG="C:\My Logs\...").
  std::optional<std::string> log_path;
};

// Reads the arguments after the program's name. Words are separated by
// blanks; double quotes group blanks into a word and are dropped. Switches
// are matched without regard to case, in any order before "/D=". Every
// other word is ignored, such as "uninstall", which the registered
// uninstall command passes.
CommandLine ParseCommandLine(std::string_view arguments);

}  // namespace tidemark
