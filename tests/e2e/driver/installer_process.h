// The installer process a case starts (one at a time). Only this process
// is ever terminated, through its own handle.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <optional>
#include <string>

#include "system/handles.h"
#include "tests/e2e/driver/polling.h"

namespace tidemark::e2e {

class InstallerProcess {
 public:
  // Starts `path`, followed on its command line by `arguments` when there
  // are any, with the driver's current folder as its own. Raises
  // std::runtime_error with the system's reason when it cannot start.
  void Start(const std::string& path, const std::string& arguments = "");

  // Starts `command_line` exactly as given (the program is its first word,
  // as the system reads it), with `folder` as its current folder.
  void StartCommandLine(const std::string& command_line, const std::string& folder);

  bool started() const { return process_.valid(); }
  DWORD id() const { return id_; }
  const std::string& path() const { return path_; }

  // The exit code once the process has ended; nothing while it runs.
  std::optional<DWORD> ExitCode() const;
  std::optional<DWORD> WaitForExit(Milliseconds timeout) const;

  // The process's memory figures as the system counts them now; raises
  // std::runtime_error when they cannot be read.
  PROCESS_MEMORY_COUNTERS_EX MemoryCounters() const;

  // Ends the process if it still runs, and waits briefly for it to go.
  void Terminate();

  // While a Hold lives, the installer's main thread is suspended: messages
  // posted meanwhile wait in its queue and are handled in their order, with
  // none of the installer's own work in between.
  class Hold {
   public:
    explicit Hold(const InstallerProcess& process);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    HANDLE thread_;
  };

 private:
  void Launch(const char* program, const std::string& command_line, const char* folder,
              const std::string& name);

  UniqueHandle process_;
  UniqueHandle thread_;
  DWORD id_ = 0;
  std::string path_;
};

}  // namespace tidemark::e2e
