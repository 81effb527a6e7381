// Program entry of the installer (and of the uninstaller it leaves behind):
// the wizard, or the unattended run when the command line holds "/S".
#include <windows.h>

#include "app/application_window.h"
#include "app/message_loop.h"
#include "app/unattended_run.h"
#include "app/window/install.h"
#include "container/layout.h"
#include "rules/command_line.h"
#include "system/handles.h"
#include "system/process_mitigation.h"

namespace {

// Libraries are loaded from the system folder only, never from the folder
// the installer was started in (downloads folders hold planted DLLs).
void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto set_directories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set_directories != nullptr) set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryA("");  // and never from the current folder
}

}  // namespace

// Tells the packer that this program is a bare stub of this system.
[[gnu::used]] extern const char* const kCarriedStubSignature = tidemark::kStubSignature;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  RestrictLibrarySearch();
  tidemark::EnableRedirectionTrust();
  const tidemark::ScopedCoInitialize com;
  const tidemark::CommandLine command =
      tidemark::ParseCommandLine(arguments != nullptr ? arguments : "");
  if (command.unattended) return tidemark::RunUnattended(command);
  if (!tidemark::TfrmInstall::RegisterClasses(instance)) return 1;
  const tidemark::UniqueWindow application = tidemark::RegisterApplicationClass(instance)
                                                 ? tidemark::CreateApplicationWindow(instance)
                                                 : tidemark::UniqueWindow();
  tidemark::TfrmInstall form(instance);
  if (!form.Create(application.get())) return 1;
  form.Show();
  return tidemark::RunMessageLoop(form.handle());
}
