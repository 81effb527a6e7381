// The shortcuts an installation makes: one to the main program on the
// desktop, and a program group with the main program and further entries.
#pragma once

#include "container/control_info.h"
#include "rules/install_log.h"
#include "rules/shortcut_plan.h"

namespace tidemark {

// Makes the planned shortcuts in order and appends each link's path to
// `install_log` right after it is made, whether or not the shell wrote the
// file (the uninstaller then simply finds nothing to delete). Raises Error
// when the shell link object cannot be created; the links made so far stay.
void MakeShortcuts(const ControlInfo& control_info, const ShortcutFolders& folders,
                   InstallLog& install_log);

}  // namespace tidemark
