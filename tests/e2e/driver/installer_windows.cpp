#include "tests/e2e/driver/installer_windows.h"

#include "resources/control_ids.h"
#include "tests/e2e/driver/control_names.h"

namespace tidemark::e2e {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

template <typename Visit>
void ForEachChild(HWND parent, Visit visit) {
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM context) -> BOOL {
        (*reinterpret_cast<Visit*>(context))(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&visit));
}

std::string NormaliseLineEnds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string AnsiText(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size,
                      nullptr, nullptr);
  return ansi;
}

bool IsMainWindow(HWND window) { return ReadClassName(window) == ids::kWindowClass; }

bool IsApplicationWindow(HWND window) { return ReadClassName(window) == ids::kApplicationClass; }

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD process_id) {
  struct Search {
    DWORD process_id;
    std::vector<HWND> found;
  } search{process_id, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process_id && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindMainWindow(DWORD process_id) {
  for (HWND window : VisibleTopLevelWindows(process_id)) {
    if (IsMainWindow(window)) return window;
  }
  return nullptr;
}

std::vector<HWND> FindBoxes(DWORD process_id) {
  std::vector<HWND> boxes;
  for (HWND window : VisibleTopLevelWindows(process_id)) {
    if (!IsMainWindow(window) && !IsApplicationWindow(window)) boxes.push_back(window);
  }
  return boxes;
}

std::vector<HWND> TaskbarWindows(DWORD process_id) {
  std::vector<HWND> shown;
  for (HWND window : VisibleTopLevelWindows(process_id)) {
    const LONG_PTR ex_style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool owned = GetWindow(window, GW_OWNER) != nullptr;
    if ((ex_style & WS_EX_APPWINDOW) || (!owned && !(ex_style & WS_EX_TOOLWINDOW))) {
      shown.push_back(window);
    }
  }
  return shown;
}

HWND FindControl(HWND parent, int id) {
  HWND found = nullptr;
  ForEachChild(parent, [&](HWND child) {
    if (!found && GetDlgCtrlID(child) == id) found = child;
  });
  return found;
}

std::vector<int> VisiblePageIds(HWND main_window) {
  std::vector<int> pages;
  ForEachChild(main_window, [&](HWND child) {
    const int id = GetDlgCtrlID(child);
    if (IsPageId(id) && IsWindowVisible(child)) pages.push_back(id);
  });
  return pages;
}

std::string ReadWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &length)) {
    return {};
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return NormaliseLineEnds(text);
}

std::string ReadClassName(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

std::vector<std::string> ReadListItems(HWND control) {
  struct Messages {
    UINT count, length, text;
  };
  const std::string kind = ReadClassName(control);
  Messages messages = {};
  if (_stricmp(kind.c_str(), "ListBox") == 0) {
    messages = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
  } else if (_stricmp(kind.c_str(), "ComboBox") == 0) {
    messages = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};
  } else {
    return {};
  }
  // The texts are asked for in UTF-16: asked for in ANSI from another
  // process, Wine answered with the UTF-16 text.
  auto ask = [control](UINT message, WPARAM w, LPARAM l) -> LRESULT {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(control, message, w, l, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer)) {
      return -1;
    }
    return static_cast<LRESULT>(answer);
  };
  std::vector<std::string> items;
  const LRESULT count = ask(messages.count, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ask(messages.length, static_cast<WPARAM>(i), 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied =
        ask(messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    const bool answered = copied > 0 && static_cast<size_t>(copied) < text.size();
    text.resize(answered ? static_cast<size_t>(copied) : 0);
    items.push_back(AnsiText(text));
  }
  return items;
}

BoxContent ReadBox(HWND box) {
  BoxContent content;
  content.title = ReadWindowText(box);
  ForEachChild(box, [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    const std::string kind = ReadClassName(child);
    const std::string text = ReadWindowText(child);
    if (_stricmp(kind.c_str(), "Button") == 0) {
      content.buttons.push_back(text);
    } else if (_stricmp(kind.c_str(), "Static") == 0 && !text.empty()) {
      if (!content.text.empty()) content.text += '\n';
      content.text += text;
    }
  });
  return content;
}

HWND FindBoxButton(HWND box, const std::string& caption) {
  HWND found = nullptr;
  ForEachChild(box, [&](HWND child) {
    if (!found && IsWindowVisible(child) && _stricmp(ReadClassName(child).c_str(), "Button") == 0 &&
        ReadWindowText(child) == caption) {
      found = child;
    }
  });
  return found;
}

}  // namespace tidemark::e2e
