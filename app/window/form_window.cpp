// The window itself: its class, creation, placement and message handling,
// and the binding of control events to the handlers.
#include <windows.h>

#include <exception>
#include <functional>
#include <new>
#include <utility>

#include "app/controls/directory_list.h"
#include "app/controls/drive_combo.h"
#include "app/controls/flat_button.h"
#include "app/controls/guarded_action.h"
#include "app/controls/message_box.h"
#include "app/controls/panel_window.h"
#include "app/controls/window_support.h"
#include "app/window/button_images.h"
#include "app/window/control_factory.h"
#include "app/window/install.h"
#include "resources/layout.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr char kFormTitle[] = " ";

struct Binding {
  int id;
  int code;  // notification code of WM_COMMAND
  void (TfrmInstall::*handler)(HWND);
};

// Which control event runs which handler. DirectoryListBox1Change is raised
// by the folder list itself when its current folder changes.
const Binding kBindings[] = {
    {ids::kBtnShowLicense, BN_CLICKED, &TfrmInstall::btnShowLicenseClick},
    {ids::kBtnExit, BN_CLICKED, &TfrmInstall::btnExitClick},
    {ids::kBtnAccept, BN_CLICKED, &TfrmInstall::btnAcceptClick},
    {ids::kBtnExit2, BN_CLICKED, &TfrmInstall::btnExitClick},
    {ids::kBtnChoose, BN_CLICKED, &TfrmInstall::btnChooseClick},
    {ids::kEdtFolder, EN_CHANGE, &TfrmInstall::edtFolderChange},
    {ids::kDirectoryListBox1, kDirectoryListChanged, &TfrmInstall::DirectoryListBox1Change},
    {ids::kBtnGoInstall, BN_CLICKED, &TfrmInstall::btnGoInstallClick},
    {ids::kBtnExit3, BN_CLICKED, &TfrmInstall::btnExitClick},
    {ids::kBtnExit4, BN_CLICKED, &TfrmInstall::btnExitClick},
    {ids::kBtnComplete, BN_CLICKED, &TfrmInstall::btnCompleteClick},
    {ids::kBtnUninstall, BN_CLICKED, &TfrmInstall::btnUninstallClick},
    {ids::kBtnCancel, BN_CLICKED, &TfrmInstall::btnCancelClick},
    {ids::kBtnUninstallExit, BN_CLICKED, &TfrmInstall::btnUninstallExitClick},
};

// The outer size that gives `window` the layout's client area at `dpi`,
// with its frame as the system draws it now.
SIZE OuterSizeFor(HWND window, int dpi) {
  RECT outer = {}, client = {};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  return SIZE{ScaleToDpi(layout::kClientWidth, dpi) + (outer.right - outer.left) - client.right,
              ScaleToDpi(layout::kClientHeight, dpi) + (outer.bottom - outer.top) - client.bottom};
}

// The window's outer rectangle for the layout's client area at `dpi`,
// centred on the whole screen.
RECT CentredFrame(int dpi) {
  const RECT frame =
      FrameForClient(ScaleToDpi(layout::kClientWidth, dpi), ScaleToDpi(layout::kClientHeight, dpi),
                     kFormStyle, kFormExStyle, dpi);
  const int width = frame.right;
  const int height = frame.bottom;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TfrmInstall*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_CREATE) {
    form->OnCreate(window);
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return form->HandleMessage(window, message, wparam, lparam);
}

TfrmInstall::TfrmInstall(HINSTANCE instance) : instance_(instance) {}

TfrmInstall::~TfrmInstall() {
  tooltip_.Reset();
  window_.Reset();
}

bool TfrmInstall::RegisterClasses(HINSTANCE instance) {
  return RegisterControlClasses(instance) &&
         RegisterWindowClass(instance, ids::kWindowClass, FormProc, 0,
                             GetSysColorBrush(COLOR_BTNFACE));
}

bool TfrmInstall::Create(HWND owner) {
  const RECT frame = CentredFrame(WindowDpi(nullptr));
  HWND window = CreateWindowExA(kFormExStyle, ids::kWindowClass, kFormTitle, kFormStyle, frame.left,
                                frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                owner, nullptr, instance_, this);
  // The window is owned from WM_CREATE on (OnCreate); a refused creation
  // leaves nothing behind.
  if (window == nullptr) return false;
  // A window that opens on a monitor of another DPI than the system's is
  // laid out for that monitor (OnCreate); its frame follows.
  if (dpi_ != WindowDpi(nullptr)) {
    const SIZE outer = OuterSizeFor(window, dpi_);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void TfrmInstall::Show() {
  if (end_requested_ || !window_) return;
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  UpdateWindow(window_.get());
}

void TfrmInstall::OnCreate(HWND window) {
  window_.Reset(window);
  dpi_ = WindowDpi(window);
  controls_ = CreateLayoutControls(window, dpi_);
  BindDriveCombo(Control(ids::kDriveComboBox1), Control(ids::kDirectoryListBox1));
  font_choice_ = DesignFont();
  fonts_ = CreateWindowFonts(font_choice_, dpi_);
  ApplyFonts(fonts_);
  button_images_ = LoadButtonImages(instance_, dpi_);
  tooltip_.Reset(CreateButtonTooltip(window));
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const layout::ControlSpec& spec = layout::kControls[i];
    if (spec.kind == layout::Kind::kImageButton && Control(spec.id) != nullptr) {
      AddButtonTooltip(tooltip_.get(), Control(spec.id));
    }
  }
  focus_ = Control(ids::kPanIcon);
  RunGuarded([this] { FormCreate(); });
}

void TfrmInstall::ApplyFonts(const WindowFonts& fonts) {
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const layout::ControlSpec& spec = layout::kControls[i];
    HWND control = Control(spec.id);
    if (control == nullptr) continue;
    const HFONT font = (spec.flags & layout::kBold) ? fonts.bold.get() : fonts.regular.get();
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (spec.kind == layout::Kind::kDriveSelector) {
      FitClosedHeight(control, ScaleToDpi(spec.height, dpi_));
    }
  }
}

LRESULT TfrmInstall::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0) {
        OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourStaticChild(reinterpret_cast<HDC>(wparam), GetSysColorBrush(COLOR_BTNFACE));
    case kDpiChangedMessage:
      OnDpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_DESTROY:
      // A close that reaches the window by other means than its buttons
      // ends the program, without the exit question.
      window_.Release();
      RequestProgramEnd();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void TfrmInstall::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  PlaceLayoutControls(controls_, dpi_);
  WindowFonts fonts = CreateWindowFonts(font_choice_, dpi_);
  ApplyFonts(fonts);
  fonts_ = std::move(fonts);  // the controls no longer use the old ones
  UniqueImageList old_images = std::move(button_images_);
  button_images_ = LoadButtonImages(instance_, dpi_);
  AssignButtonImages();
  // The suggested place, with the client area exactly the layout's at the
  // new DPI.
  const SIZE outer = OuterSizeFor(window_.get(), dpi_);
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_.get(), nullptr, TRUE);
}

void TfrmInstall::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_.get(), focus)) focus_ = focus;
    return;
  }
  if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
}

void TfrmInstall::OnCommand(int id, int code, HWND sender) {
  for (const Binding& binding : kBindings) {
    if (binding.id == id && binding.code == code) {
      RunHandler(binding.handler, sender);
      return;
    }
  }
}

void TfrmInstall::RunHandler(Handler handler, HWND sender) {
  RunGuarded([this, handler, sender] { (this->*handler)(sender); });
}

void TfrmInstall::RunGuarded(const std::function<void()>& action) {
  ++handlers_running_;
  RunReportingErrors(window_.get(), action);
  // The default error report above is still a box of the handler.
  if (--handlers_running_ == 0 && end_requested_) PostQuit();
}

void TfrmInstall::RequestProgramEnd() {
  end_requested_ = true;
  if (handlers_running_ == 0) PostQuit();
}

void TfrmInstall::PostQuit() {
  if (quit_posted_) return;
  quit_posted_ = true;
  PostQuitMessage(0);
}

HWND TfrmInstall::Control(ids::ControlId id) const { return controls_.Find(id); }

std::string TfrmInstall::ControlText(ids::ControlId id) const { return WindowText(Control(id)); }

void TfrmInstall::SetControlText(ids::ControlId id, const std::string& text) {
  HWND control = Control(id);
  if (control != nullptr) SetWindowTextA(control, text.c_str());
}

}  // namespace tidemark
