// The batch file that removes the uninstaller after the program has ended:
// it deletes the uninstaller (waiting for its process to let go of the
// file), removes the uninstaller's folder if empty, and deletes itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

// Where the batch is written, and what it deletes last.
inline constexpr char kRemovalBatchPath[] = "C:\\uninstall_rd.bat";

// How often, about once a second, the batch tries to delete the uninstaller
// before it gives up.
inline constexpr int kRemovalAttempts = 10;

// The batch text, every line ending with CR LF, bytes as given. Each "%" in
// a path is written as "%%" so that the command interpreter reads it back
// literally. The pause between attempts runs `system_folder`\ping.exe by
// its full path, so that no ping.exe in the folder the batch starts in
// takes its place. No folder line is written when the uninstaller's folder
// is a root (which cannot be removed). None at all when `uninstaller_path`
// or `system_folder` is not absolute (it would be looked for in whatever
// folder the batch starts in), or cannot be named in the batch
// (CanNameInRemovalBatch).
// Whether `path` can stand in the batch as exactly the one file it names:
// no character that cannot stand inside a quoted argument (a double quote,
// CR, LF or NUL), and no "*" or "?", which "del" would expand to whatever
// files match.
bool CanNameInRemovalBatch(std::string_view path);

std::optional<std::string> RemovalBatchText(std::string_view uninstaller_path,
                                            std::string_view system_folder,
                                            LeadBytePredicate is_lead_byte = nullptr);

}  // namespace tidemark
