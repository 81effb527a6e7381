// The removal as the Uninstall page runs it, one sequence for the wizard
// and the unattended run: what the install log lists goes, with the
// uninstall entry, and what could not be removed is told; the removal batch
// follows when the run is left. The two callers differ only in their
// report.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "app/steps/session.h"
#include "rules/install_log.h"

namespace tidemark {

class RemovalReport {
 public:
  virtual ~RemovalReport() = default;
  // The run's state: "Uninstalling..." first, "Uninstall Complete." last.
  virtual void State(const std::string& text) = 0;
  // The removal of `entries` log entries begins.
  virtual void Begin(size_t entries) = 0;
  // One log entry is done with, whatever became of it.
  virtual void EntryDone() = 0;
  // A logged file that is still there after the run.
  virtual void NotRemoved(const std::string& path) = 0;
  // A logged path outside what the run may delete (see RemovalScope),
  // left alone.
  virtual void LeftAlone(const std::string& path) = 0;
  // A note below the state (kLeftoverNote).
  virtual void Note(const std::string& text) = 0;
  // The window whose messages are handled while the uninstaller's folder is
  // listed; null without one.
  virtual HWND window() const = 0;
};

// Removes what `install_log` lists within the removal scope (below
// `target`'s install folder, the running uninstaller's own folder, and the
// product's shortcuts) and the product's uninstall entry, and sets
// `target`'s uninstaller path from the log. Returns whether every logged
// file is gone (the running uninstaller aside) and none was left alone.
// Raises the errors of the steps.
bool RunRemoval(const LoadedInstaller& installer, const MachineFolders& folders,
                const InstallLog& install_log, InstallTarget& target, RemovalReport& report);

// Leaving the finished removal: starts the removal batch for the
// uninstaller that the run found, if any (see StartRemovalBatch).
void StartRemovalOf(const InstallTarget& target, HWND owner);

}  // namespace tidemark
