#include "rules/removal_batch.h"

#include <string>

namespace tidemark {
namespace {

constexpr char kLineEnd[] = "\r\n";

// The path as a quoted batch argument; "%" would start a variable. The bytes
// looked at here and by CanNameInRemovalBatch lie below 0x40, which
// no double-byte code page uses as a second byte: read byte by byte, they are
// always characters of their own.
std::string Quoted(std::string_view path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

bool CanBeNamed(std::string_view path) {
  return !path.empty() && IsAbsolutePath(path) && CanNameInRemovalBatch(path);
}

}  // namespace

bool CanNameInRemovalBatch(std::string_view path) {
  return path.find_first_of(std::string_view("\"\r\n\0*?", 6)) == std::string_view::npos;
}

std::optional<std::string> RemovalBatchText(std::string_view uninstaller_path,
                                            std::string_view system_folder,
                                            LeadBytePredicate is_lead_byte) {
  if (!CanBeNamed(uninstaller_path) || !CanBeNamed(system_folder)) return std::nullopt;
  const std::string uninstaller = Quoted(uninstaller_path);
  const std::string ping =
      Quoted(JoinPath(WithoutTrailingBackslashes(system_folder, is_lead_byte), "ping.exe"));
  const std::string folder = FolderWithoutSeparator(uninstaller_path, is_lead_byte);

  std::string text;
  const auto line = [&text](const std::string& command) { text += command + kLineEnd; };
  line("@echo off");
  // The uninstaller's process may still be ending; the system refuses to
  // delete the file of a running program, so try again for a while.
  line("set tidemark_tries=0");
  line(":retry");
  line("del " + uninstaller + " >nul 2>nul");
  line("if not exist " + uninstaller + " goto removed");
  line("set /a tidemark_tries+=1");
  line("if %tidemark_tries% geq " + std::to_string(kRemovalAttempts) + " goto removed");
  line(ping + " -n 2 127.0.0.1 >nul");
  line("goto retry");
  line(":removed");
  if (IsFolderBelowRoot(folder, is_lead_byte)) line("rmdir " + Quoted(folder));
  line("del " + Quoted(kRemovalBatchPath));
  return text;
}

}  // namespace tidemark
