#include "system/unelevated_start.h"

#include <exdisp.h>
#include <oleauto.h>
#include <shldisp.h>
#include <shlobj.h>

#include <vector>

#include "system/current_folder.h"
#include "system/handles.h"
#include "system/shell.h"
#include "system/wide_text.h"

namespace tidemark {
namespace {

// One BSTR, freed with the object.
class Bstr {
 public:
  explicit Bstr(const std::string& ansi) : text_(SysAllocString(AnsiToWideChars(ansi).data())) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

 private:
  BSTR text_;
};

// A VARIANT that refers to a string owned elsewhere (never cleared here).
VARIANT StringVariant(const Bstr& text) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_BSTR;
  variant.bstrVal = text.get();
  return variant;
}

VARIANT IntegerVariant(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

// The shell's dispatch object (Shell.Application) of the process that shows
// the desktop; none when no such shell answers.
ComPtr<IShellDispatch2> DesktopShellDispatch() {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.ReceiveVoid()))) {
    return {};
  }
  VARIANT desktop = IntegerVariant(CSIDL_DESKTOP);
  VARIANT no_root;
  VariantInit(&no_root);
  long window = 0;
  ComPtr<IDispatch> desktop_window;
  if (windows->FindWindowSW(&desktop, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            reinterpret_cast<IDispatch**>(desktop_window.ReceiveVoid())) != S_OK ||
      !desktop_window) {
    return {};
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folder_view;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(desktop_window->QueryInterface(IID_IServiceProvider, services.ReceiveVoid())) ||
      FAILED(
          services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.ReceiveVoid())) ||
      FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.ReceiveVoid()))) ||
      !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid())) ||
      FAILED(background->QueryInterface(IID_IShellFolderViewDual, folder_view.ReceiveVoid())) ||
      FAILED(
          folder_view->get_Application(reinterpret_cast<IDispatch**>(application.ReceiveVoid()))) ||
      !application ||
      FAILED(application->QueryInterface(IID_IShellDispatch2, shell.ReceiveVoid()))) {
    return {};
  }
  return shell;
}

}  // namespace

bool IsProcessElevated() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
         elevation.TokenIsElevated != 0;
}

bool ShellExecuteThroughDesktop(const std::string& file, const std::string& parameters,
                                const std::string& folder, int show_command) {
  const ScopedCoInitialize com;
  const ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
  if (!shell) return false;
  const Bstr file_text(file);
  const Bstr parameter_text(parameters);
  const Bstr folder_text(folder);
  const Bstr default_operation("");
  if (!file_text || !parameter_text || !folder_text || !default_operation) return false;
  return SUCCEEDED(shell->ShellExecute(file_text.get(), StringVariant(parameter_text),
                                       StringVariant(folder_text), StringVariant(default_operation),
                                       IntegerVariant(show_command)));
}

bool StartAsDesktopUser(const std::string& file, int show_command, HWND owner) {
  // The same texts as ShellRun takes, either way.
  if (file.size() <= kShellRunTextLimit && IsProcessElevated() &&
      ShellExecuteThroughDesktop(file, "", CurrentFolder(), show_command)) {
    return true;
  }
  return ShellRun(file, "", show_command, owner);
}

}  // namespace tidemark
