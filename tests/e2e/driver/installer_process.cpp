#include "tests/e2e/driver/installer_process.h"

#include <vector>

#include "tests/e2e/driver/system_failure.h"

namespace tidemark::e2e {

void InstallerProcess::Start(const std::string& path, const std::string& arguments) {
  std::string command_line = "\"" + path + "\"";
  if (!arguments.empty()) command_line += " " + arguments;
  Launch(path.c_str(), command_line, nullptr, path);
}

void InstallerProcess::StartCommandLine(const std::string& command_line,
                                        const std::string& folder) {
  Launch(nullptr, command_line, folder.c_str(), command_line);
}

void InstallerProcess::Launch(const char* program, const std::string& command_line,
                              const char* folder, const std::string& name) {
  // One installer at a time; a case may start the next once the last has ended.
  if (started() && !ExitCode()) throw std::runtime_error("the installer started before still runs");
  std::vector<char> writable(command_line.begin(), command_line.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  const auto create = [&] {
    return CreateProcessA(program, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                          &startup, &info);
  };
  // Wine reports a child that died in its loader before it ran any of its
  // own code as an internal error; seen once on a loaded machine. One more
  // try tells that apart from an installer that cannot start at all.
  if (!create() && !(GetLastError() == ERROR_INTERNAL_ERROR && create())) {
    throw SystemFailure("cannot start " + name);
  }
  thread_.Reset(info.hThread);
  process_.Reset(info.hProcess);
  id_ = info.dwProcessId;
  path_ = name;
}

std::optional<DWORD> InstallerProcess::ExitCode() const { return WaitForExit(Milliseconds(0)); }

std::optional<DWORD> InstallerProcess::WaitForExit(Milliseconds timeout) const {
  if (!started()) return std::nullopt;
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

PROCESS_MEMORY_COUNTERS_EX InstallerProcess::MemoryCounters() const {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!started() ||
      !GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    throw SystemFailure("cannot read the memory figures of " + path_);
  }
  return counters;
}

void InstallerProcess::Terminate() {
  if (!started() || ExitCode()) return;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
}

InstallerProcess::Hold::Hold(const InstallerProcess& process) : thread_(process.thread_.get()) {
  if (!process.started() || SuspendThread(thread_) == static_cast<DWORD>(-1)) {
    throw SystemFailure("cannot hold the installer's thread");
  }
}

InstallerProcess::Hold::~Hold() { ResumeThread(thread_); }

}  // namespace tidemark::e2e
