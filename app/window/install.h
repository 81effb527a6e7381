// The installer's one window, frmInstall of class TfrmInstall: a fixed-size
// wizard with a header (splash, icon, title, company) and seven pages, of
// which one is visible. The window owns every control and the session that
// start-up hands to the installation and uninstallation steps.
//
// The handlers are spread over files by concern: window and controls
// (form_window.cpp, control_factory.cpp), pages (pages.cpp), start-up
// (form_create.cpp), navigation and exit (navigation_handlers.cpp), the
// folder choice (folder_handlers.cpp), the installation run
// (install_handlers.cpp) and the uninstallation (uninstall_handlers.cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/steps/session.h"
#include "app/window/control_factory.h"
#include "app/window/fonts.h"
#include "resources/control_ids.h"
#include "system/gdi_handles.h"

namespace tidemark {

class TfrmInstall {
 public:
  explicit TfrmInstall(HINSTANCE instance);
  ~TfrmInstall();
  TfrmInstall(const TfrmInstall&) = delete;
  TfrmInstall& operator=(const TfrmInstall&) = delete;

  // Registers the window classes of the window and its controls.
  static bool RegisterClasses(HINSTANCE instance);

  // Creates the window and its controls; FormCreate runs during creation,
  // before the window is shown. False when Windows refused the window.
  // `owner`, when given, is the application's window, which the taskbar
  // shows in this window's place.
  bool Create(HWND owner = nullptr);

  // Shows the window, centred on the screen, unless the end of the program
  // was asked for during creation.
  void Show();

  HWND handle() const { return window_.get(); }
  HWND Control(ids::ControlId id) const;

  // Asks the message loop to stop. The program ends once the running
  // handler, and every handler that called it, has returned: the quit
  // message is posted only then, since a modal box that a handler still
  // shows (the run after "Yes" to Exit) would close at once on it.
  void RequestProgramEnd();
  bool end_requested() const { return end_requested_; }

  // Makes `page` the one visible page of PageControl1.
  void ShowPage(ids::ControlId page);
  ids::ControlId ActivePage() const { return active_page_; }

  std::string ControlText(ids::ControlId id) const;
  void SetControlText(ids::ControlId id, const std::string& text);

  // Event handlers; each takes the sending control.
  void FormCreate();
  void btnShowLicenseClick(HWND sender);
  void btnAcceptClick(HWND sender);
  void btnExitClick(HWND sender);
  void btnCancelClick(HWND sender);
  void btnGoInstallClick(HWND sender);
  void btnCompleteClick(HWND sender);
  void btnUninstallClick(HWND sender);
  void btnUninstallExitClick(HWND sender);
  void btnChooseClick(HWND sender);
  void DirectoryListBox1Change(HWND sender);
  void edtFolderChange(HWND sender);

  // The state that start-up and the steps share, alive from start-up to
  // the end of the program.
  Session session;

 private:
  friend LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
  using Handler = void (TfrmInstall::*)(HWND);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnCreate(HWND window);
  void OnCommand(int id, int code, HWND sender);
  void OnActivate(bool active);
  // Lays the window out again for a monitor of another DPI, at the place
  // Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  // Runs a handler; an error that it does not catch ends it and is shown
  // by the default error report.
  void RunHandler(Handler handler, HWND sender);
  void RunGuarded(const std::function<void()>& action);
  void PostQuit();

  // Start-up steps (form_create.cpp).
  void ChooseFonts();
  void AssignButtonImages();
  bool LoadContainer();
  void LoadHeadImages();
  void ShowHeaderTexts();
  void LoadTexts();
  void ProposeInstallFolder();
  void TestUninstallMode();

  void CreateControls();
  void ApplyFonts(const WindowFonts& fonts);

  HINSTANCE instance_;
  UniqueWindow window_;
  UniqueWindow tooltip_;
  ControlTable controls_;
  int dpi_ = 96;  // the DPI the controls are laid out for
  FontChoice font_choice_;
  WindowFonts fonts_;
  UniqueImageList button_images_;
  ids::ControlId active_page_ = ids::kTabIntro;
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  bool end_requested_ = false;
  int handlers_running_ = 0;  // RunGuarded calls not yet returned, nested ones included
  bool quit_posted_ = false;
};

}  // namespace tidemark
