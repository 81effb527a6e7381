// The shortcuts and the uninstall registration an installation makes, as
// data: the Windows side creates them in this order and logs each link.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "container/control_info.h"
#include "rules/path_rules.h"

namespace tidemark {

// The folders and the product name the shortcut step works with, each as
// found (the shell folders exactly as read from the registry).
struct ShortcutFolders {
  std::string install_folder;
  std::string desktop_folder;   // empty: no desktop shortcut
  std::string programs_folder;  // empty: no program group
  std::string app_name;
};

struct PlannedShortcut {
  std::string link_path;  // the .lnk file to write; also its log entry
  std::string target;
  std::string description;
  std::string working_folder;  // the target's folder part, "\" included
};

struct ShortcutPlan {
  // The desktop shortcut to the main program, made first.
  std::optional<PlannedShortcut> desktop;
  // The program group folder to create (one level) before `group`; empty
  // when there is no program group.
  std::string group_folder;
  // The main program-group shortcut, then the further shortcuts in order.
  std::vector<PlannedShortcut> group;

  // The log entries of all shortcuts, in the order they are made.
  std::vector<std::string> LogEntries() const;
};

// Plans the shortcut step from the control information (ExeShortCut,
// ExeName, and ShortcutName<i>/ShortcutPath<i> from 1 up to the first empty
// name). Names are used as file names as they stand: one that Windows
// refuses (a "?", "*", "|", control characters...) is planned and logged
// all the same, and the shell fails to write it. On purpose: a shortcut
// whose file name (name + ".lnk") would not stay in its folder
// (StaysInFolder: a "\", "/", ":", "..", a device name, a trailing dot or
// blank) is left out: it could only be written, and later deleted,
// somewhere else.
ShortcutPlan PlanShortcuts(const ControlInfo& control_info, const ShortcutFolders& folders,
                           LeadBytePredicate is_lead_byte = nullptr, int code_page = kAnyCodePage);

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" + product name.
std::string UninstallKeyPath(std::string_view app_name);

struct UninstallRegistration {
  std::string key_path;          // under HKEY_LOCAL_MACHINE
  std::string display_name;      // value "DisplayName"
  std::string uninstall_string;  // value "UninstallString"
};

// The uninstall entry to write, or none for an empty product name (which
// would write onto the shared "Uninstall" key itself). The uninstaller's
// path is quoted in the command when it holds a blank, so that a folder with
// blanks cannot start another program (C:\Program.exe) in its place; every
// other character stands as it is.
std::optional<UninstallRegistration> PlanUninstallRegistration(std::string_view app_name,
                                                               std::string_view install_folder);

}  // namespace tidemark
