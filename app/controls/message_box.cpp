#include "app/controls/message_box.h"

#include <algorithm>

#include "system/gdi_handles.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

// The box's measures, in pixels at 96 DPI.
struct BoxMetrics {
  int margin = 12;
  int icon_size = 32;
  int icon_gap = 12;
  int text_width_limit = 420;
  int button_width = 75;
  int button_height = 23;
  int button_gap = 6;
  int button_row_gap = 16;
  int minimum_client_width = 160;
};

// The measures at `dpi`.
BoxMetrics MetricsAt(int dpi) {
  BoxMetrics metrics;
  for (int* measure :
       {&metrics.margin, &metrics.icon_size, &metrics.icon_gap, &metrics.text_width_limit,
        &metrics.button_width, &metrics.button_height, &metrics.button_gap, &metrics.button_row_gap,
        &metrics.minimum_client_width}) {
    *measure = ScaleToDpi(*measure, dpi);
  }
  return metrics;
}
constexpr int kTextId = 100;
constexpr int kIconId = 101;

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME;

struct BoxState {
  const BoxRequest* request = nullptr;
  UniqueFont font;
  BoxButton answer = BoxButton::kClosed;
};

const char* IconResource(BoxKind kind) {
  switch (kind) {
    case BoxKind::kWarning:
      return IDI_WARNING;
    case BoxKind::kError:
      return IDI_ERROR;
    case BoxKind::kInformation:
      return IDI_INFORMATION;
    case BoxKind::kConfirmation:
      return IDI_QUESTION;
    case BoxKind::kNone:
      break;
  }
  return nullptr;
}

HWND CreateChild(HWND dialog, const char* window_class, const std::string& text, DWORD style,
                 int id, const RECT& place, HFONT font) {
  HWND child = CreateWindowExA(
      0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

UniqueFont MessageFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
  }
  return UniqueFont();
}

SIZE MeasureText(HFONT font, const std::string& text, int width_limit) {
  WindowDc screen(nullptr);
  SelectScope select(screen.get(), font != nullptr ? static_cast<HGDIOBJ>(font)
                                                   : GetStockObject(DEFAULT_GUI_FONT));
  RECT area = {0, 0, width_limit, 0};
  DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &area,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  return SIZE{area.right, area.bottom};
}

int ButtonWidth(HFONT font, BoxButton button, const BoxMetrics& measures) {
  const SIZE caption = MeasureText(font, ButtonCaption(button), measures.text_width_limit);
  return std::max<int>(measures.button_width, caption.cx + 2 * measures.margin);
}

// Places the icon, the text and the buttons, sizes the box and centres it
// on the screen's work area.
void BuildBox(HWND dialog, BoxState& state) {
  const BoxRequest& request = *state.request;
  state.font = MessageFont();
  const HFONT font = state.font.get();
  const BoxMetrics measures = MetricsAt(WindowDpi(dialog));
  SetWindowTextA(dialog, request.title.c_str());

  const char* icon = IconResource(request.icon);
  const int text_left =
      measures.margin + (icon != nullptr ? measures.icon_size + measures.icon_gap : 0);
  const SIZE text = MeasureText(font, request.text, measures.text_width_limit);
  const int content_height = std::max<int>(icon != nullptr ? measures.icon_size : 0, text.cy);
  if (icon != nullptr) {
    HWND picture =
        CreateChild(dialog, "STATIC", "", SS_ICON, kIconId,
                    RECT{measures.margin, measures.margin, measures.margin + measures.icon_size,
                         measures.margin + measures.icon_size},
                    font);
    SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
  const int text_top = measures.margin + (content_height - text.cy) / 2;
  CreateChild(dialog, "STATIC", request.text, SS_LEFT | SS_NOPREFIX, kTextId,
              RECT{text_left, text_top, text_left + text.cx, text_top + text.cy}, font);

  int row_width = 0;
  for (BoxButton button : request.buttons)
    row_width += ButtonWidth(font, button, measures) + measures.button_gap;
  row_width = std::max(0, row_width - measures.button_gap);
  const int client_width =
      std::max({text_left + static_cast<int>(text.cx) + measures.margin,
                row_width + 2 * measures.margin, measures.minimum_client_width});
  const int row_top = measures.margin + content_height + measures.button_row_gap;
  const int client_height = row_top + measures.button_height + measures.margin;

  int left = (client_width - row_width) / 2;
  HWND default_button = nullptr;
  for (BoxButton button : request.buttons) {
    const int width = ButtonWidth(font, button, measures);
    const bool is_default = default_button == nullptr;
    HWND control =
        CreateChild(dialog, "BUTTON", ButtonCaption(button),
                    WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), ButtonId(button),
                    RECT{left, row_top, left + width, row_top + measures.button_height}, font);
    if (is_default) default_button = control;
    left += width + measures.button_gap;
  }

  const RECT frame =
      FrameForClient(client_width, client_height, kBoxStyle, kBoxExStyle, WindowDpi(dialog));
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, screen.left + (screen.right - screen.left - width) / 2,
               screen.top + (screen.bottom - screen.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  if (default_button != nullptr) {
    SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(default_button)), 0);
    SetFocus(default_button);
  }
}

// Escape and the close button (Alt+F4 among its ways) both arrive as
// IDCANCEL, which no button of a box carries.
bool AnswerFor(const BoxRequest& request, int id, BoxButton& answer) {
  if (id == IDCANCEL) {
    answer = BoxButton::kClosed;
    return true;
  }
  for (BoxButton button : request.buttons) {
    if (ButtonId(button) == id) {
      answer = button;
      return true;
    }
  }
  return false;
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<BoxState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      BuildBox(dialog, *state);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (state != nullptr && HIWORD(wparam) == BN_CLICKED &&
          AnswerFor(*state->request, LOWORD(wparam), state->answer)) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  return FALSE;
}

// An empty dialog template: the controls are made in pixels at WM_INITDIALOG.
// DLGTEMPLATE, then no menu, the default class and an empty title.
struct alignas(4) EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD window_class = 0;
  WCHAR title = 0;
};

}  // namespace

const char* BoxTitle(BoxKind kind) {
  switch (kind) {
    case BoxKind::kWarning:
      return "Warning";
    case BoxKind::kError:
      return "Error";
    case BoxKind::kInformation:
      return "Information";
    case BoxKind::kConfirmation:
      return "Confirm";
    case BoxKind::kNone:
      break;
  }
  return kApplicationTitle;
}

const char* ButtonCaption(BoxButton button) {
  switch (button) {
    case BoxButton::kYes:
      return "&Yes";
    case BoxButton::kNo:
      return "&No";
    case BoxButton::kOk:
      return "OK";
    case BoxButton::kAbort:
      return "&Abort";
    case BoxButton::kClosed:
      break;
  }
  return "";
}

int ButtonId(BoxButton button) {
  switch (button) {
    case BoxButton::kYes:
      return IDYES;
    case BoxButton::kNo:
      return IDNO;
    case BoxButton::kOk:
      return IDOK;
    case BoxButton::kAbort:
      return IDABORT;
    case BoxButton::kClosed:
      return IDCANCEL;
  }
  return IDOK;
}

std::string WithFullStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

BoxButton ShowBox(HWND owner, const BoxRequest& request) {
  BoxRequest checked = request;
  if (checked.buttons.empty()) checked.buttons.push_back(BoxButton::kOk);
  BoxState state;
  state.request = &checked;

  EmptyTemplate box = {};
  box.header.style = kBoxStyle;
  box.header.dwExtendedStyle = kBoxExStyle;
  // A hidden owner would hide the box from the task bar; the box then
  // stands on its own.
  if (owner != nullptr && !IsWindowVisible(owner)) owner = nullptr;
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &box.header, owner, BoxProc,
                          reinterpret_cast<LPARAM>(&state));
  return state.answer;
}

BoxButton ShowMessage(HWND owner, BoxKind kind, const std::string& text,
                      std::vector<BoxButton> buttons) {
  return ShowBox(owner, BoxRequest{BoxTitle(kind), kind, text, std::move(buttons)});
}

void ShowErrorReport(HWND owner, const std::string& message) {
  ShowBox(owner,
          BoxRequest{kApplicationTitle, BoxKind::kError, WithFullStop(message), {BoxButton::kOk}});
}

}  // namespace tidemark
