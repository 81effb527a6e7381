#include "app/controls/directory_list.h"

#include <commctrl.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/controls/folder_icons.h"
#include "app/controls/guarded_action.h"
#include "app/controls/icon_list_item.h"
#include "app/controls/reflected_notifications.h"
#include "app/controls/subclassed_control.h"
#include "container/errors.h"
#include "rules/directory_entries.h"
#include "system/common_controls.h"
#include "system/current_folder.h"
#include "system/path.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

constexpr int kIndentPerLevel = 7;

class DirectoryList {
 public:
  explicit DirectoryList(HWND list) : list_(list) {}

  const std::string& folder() const { return folder_; }
  void set_listener(FolderMoveListener listener) { listener_ = std::move(listener); }

  // Shows `folder` as it stands, without entering it or raising the event.
  void Show(const std::string& folder) {
    folder_ = folder;
    entries_ = DirectoryEntries(folder_, SubfolderNames(folder_), IsAnsiLeadByte);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const DirectoryEntry& entry : entries_) {
      SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    }
    SendMessageA(list_, LB_SETCURSEL, CurrentEntryIndex(entries_), 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }

  bool Move(const std::string& folder) {
    if (folder == folder_) return false;
    const std::string entered = EnterFolder(folder);
    const bool changed = entered != folder_;
    Show(entered);  // the folder's contents may have changed even so
    if (!changed) return false;
    if (listener_) listener_(folder_);
    SendMessageA(GetParent(list_), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(list_), kDirectoryListChanged),
                 reinterpret_cast<LPARAM>(list_));
    return true;
  }

  void Open(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return;
    const std::string path = entries_[static_cast<size_t>(index)].path;
    RunReportingErrors(GetAncestor(list_, GA_ROOT), [&] { Move(path); });
  }

  void Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= entries_.size()) return;
    const DirectoryEntry& entry = entries_[item.itemID];
    DrawIconListItem(
        item, entry.level * kIndentPerLevel, entry.text,
        [&entry](HDC dc, int left, int top) { DrawFolderIcon(dc, left, top, entry.icon); });
  }

  // The entry under a point of the client area, or -1.
  int EntryAt(LPARAM point) const {
    const LRESULT found = SendMessageA(list_, LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(found) != 0) return -1;
    return static_cast<int>(LOWORD(found));
  }

 private:
  HWND list_;
  std::string folder_;
  std::vector<DirectoryEntry> entries_;
  FolderMoveListener listener_;
};

LRESULT CALLBACK DirectoryListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR data);
constexpr SubclassedControl<DirectoryList> kDirectoryLists("TidemarkDirectoryList",
                                                           DirectoryListProc);

bool IsEnterKey(const MSG* message) {
  return message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
}

// The height of one entry at the list's DPI.
int EntryHeight(HWND list) { return ScaleToDpi(kDirectoryEntryHeight, WindowDpi(list)); }

LRESULT CALLBACK DirectoryListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR data) {
  auto* state = reinterpret_cast<DirectoryList*>(data);
  switch (message) {
    case kReflected + WM_DRAWITEM:
      state->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case kReflected + WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = EntryHeight(list);
      return TRUE;
    case kDpiChangedAfterParent:
      SendMessageA(list, LB_SETITEMHEIGHT, 0, EntryHeight(list));
      break;
    case WM_GETDLGCODE: {
      // Enter opens the highlighted entry, also inside the window's dialog
      // navigation.
      const LRESULT code = comctl::DefSubclassProc(list, message, wparam, lparam);
      return IsEnterKey(reinterpret_cast<const MSG*>(lparam)) ? code | DLGC_WANTMESSAGE : code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        state->Open(static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = comctl::DefSubclassProc(list, message, wparam, lparam);
      state->Open(state->EntryAt(lparam));
      return result;
    }
    case WM_NCDESTROY:
      kDirectoryLists.Detach(list);
      return comctl::DefSubclassProc(list, message, wparam, lparam);
    default:
      break;
  }
  return comctl::DefSubclassProc(list, message, wparam, lparam);
}

DirectoryList& ExistingStateOf(HWND list) {
  DirectoryList* state = kDirectoryLists.Of(list);
  if (state == nullptr) throw Error("No directory list");
  return *state;
}

}  // namespace

HWND CreateDirectoryList(HWND parent, int id, const RECT& place, DWORD style, DWORD ex_style) {
  HWND list = CreateStandardChild(
      "LISTBOX", parent, id, place, place.bottom - place.top,
      style | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, ex_style);
  if (list == nullptr) return nullptr;
  auto state = std::make_unique<DirectoryList>(list);
  DirectoryList& attached = *state;
  if (!kDirectoryLists.Attach(list, std::move(state))) return nullptr;
  SendMessageA(list, LB_SETITEMHEIGHT, 0, EntryHeight(list));
  attached.Show(CurrentFolder());
  return list;
}

std::string DirectoryListFolder(HWND list) {
  const DirectoryList* state = kDirectoryLists.Of(list);
  return state != nullptr ? state->folder() : std::string();
}

bool MoveDirectoryList(HWND list, const std::string& folder) {
  return ExistingStateOf(list).Move(folder);
}

void OpenDirectoryEntry(HWND list, int index) {
  if (DirectoryList* state = kDirectoryLists.Of(list)) state->Open(index);
}

void SetDirectoryListListener(HWND list, FolderMoveListener listener) {
  if (DirectoryList* state = kDirectoryLists.Of(list)) state->set_listener(std::move(listener));
}

}  // namespace tidemark
