#include "app/controls/drive_combo.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/controls/directory_list.h"
#include "app/controls/folder_icons.h"
#include "app/controls/guarded_action.h"
#include "app/controls/icon_list_item.h"
#include "app/controls/reflected_notifications.h"
#include "app/controls/subclassed_control.h"
#include "rules/directory_entries.h"
#include "system/common_controls.h"
#include "system/current_folder.h"
#include "system/drives.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

// The drop-down part below the closed box.
constexpr int kDropDownHeight = 160;  // at 96 DPI
constexpr int kItemHeight = 16;       // at 96 DPI

std::string DriveText(char letter) { return std::string(1, letter) + ":"; }

class DriveCombo {
 public:
  explicit DriveCombo(HWND combo) : combo_(combo) {}

  void set_directory_list(HWND list) { directory_list_ = list; }

  // Lists the drives present again, keeping the drive shown.
  void ReadDrives() {
    const char shown = ShownDrive();
    drives_ = PresentDrives();
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    for (const Drive& drive : drives_) {
      SendMessageA(combo_, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(DriveText(drive.letter).c_str()));
    }
    ShowDrive(shown);
  }

  // Shows `letter` without choosing it; none for 0 or a drive not present.
  void ShowDrive(char letter) {
    int index = -1;
    for (size_t i = 0; i < drives_.size(); ++i) {
      if (drives_[i].letter == letter) index = static_cast<int>(i);
    }
    SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  void Chosen() {
    const char letter = ShownDrive();
    if (letter == 0 || directory_list_ == nullptr) return;
    RunReportingErrors(GetAncestor(combo_, GA_ROOT),
                       [&] { MoveDirectoryList(directory_list_, DriveCurrentFolder(letter)); });
    // After a drive that could not be entered has been reported, show the
    // list's drive again, so that the two agree and the same drive can be
    // chosen again once it is ready.
    ShowDrive(DriveLetterOf(DirectoryListFolder(directory_list_)));
  }

  void Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= drives_.size()) {
      FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
      return;
    }
    const Drive drive = drives_[item.itemID];
    DrawIconListItem(item, 0, DriveText(drive.letter), [drive](HDC dc, int left, int top) {
      DrawDriveIcon(dc, left, top, drive.kind);
    });
  }

 private:
  char ShownDrive() const {
    const LRESULT index = SendMessageA(combo_, CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= drives_.size()) return 0;
    return drives_[static_cast<size_t>(index)].letter;
  }

  HWND combo_;
  HWND directory_list_ = nullptr;
  std::vector<Drive> drives_;
};

LRESULT CALLBACK DriveComboProc(HWND combo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR data);
constexpr SubclassedControl<DriveCombo> kDriveCombos("TidemarkDriveCombo", DriveComboProc);

// A notification from the combo box itself, reflected by its parent.
LRESULT OnCommand(DriveCombo& state, WORD code) {
  switch (code) {
    case CBN_SELCHANGE:
      state.Chosen();
      return TRUE;
    case CBN_DROPDOWN:
      state.ReadDrives();  // a drive may have come or gone since
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK DriveComboProc(HWND combo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR data) {
  auto* state = reinterpret_cast<DriveCombo*>(data);
  switch (message) {
    case kReflected + WM_COMMAND:
      return OnCommand(*state, HIWORD(wparam));
    case kReflected + WM_DRAWITEM:
      state->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_NCDESTROY:
      kDriveCombos.Detach(combo);
      return comctl::DefSubclassProc(combo, message, wparam, lparam);
    default:
      break;
  }
  return comctl::DefSubclassProc(combo, message, wparam, lparam);
}

}  // namespace

HWND CreateDriveCombo(HWND parent, int id, const RECT& place, DWORD style) {
  const int height = place.bottom - place.top;
  HWND combo = CreateStandardChild(
      "COMBOBOX", parent, id, place, height + ScaleToDpi(kDropDownHeight, WindowDpi(parent)),
      style | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0);
  if (combo == nullptr) return nullptr;
  auto state = std::make_unique<DriveCombo>(combo);
  DriveCombo& attached = *state;
  if (!kDriveCombos.Attach(combo, std::move(state))) return nullptr;
  SendMessageA(combo, CB_SETITEMHEIGHT, 0, ScaleToDpi(kItemHeight, WindowDpi(combo)));
  FitClosedHeight(combo, height);
  attached.ReadDrives();
  attached.ShowDrive(DriveLetterOf(CurrentFolder()));
  return combo;
}

void PlaceDriveCombo(HWND combo, const RECT& place) {
  const int dpi = WindowDpi(combo);
  const int height = place.bottom - place.top;
  SetWindowPos(combo, nullptr, place.left, place.top, place.right - place.left,
               height + ScaleToDpi(kDropDownHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(combo, CB_SETITEMHEIGHT, 0, ScaleToDpi(kItemHeight, dpi));
  FitClosedHeight(combo, height);
}

void BindDriveCombo(HWND drive_combo, HWND directory_list) {
  DriveCombo* state = kDriveCombos.Of(drive_combo);
  if (state == nullptr || directory_list == nullptr) return;
  state->set_directory_list(directory_list);
  SetDirectoryListListener(directory_list, [drive_combo](const std::string& folder) {
    if (DriveCombo* combo = kDriveCombos.Of(drive_combo)) combo->ShowDrive(DriveLetterOf(folder));
  });
  state->ShowDrive(DriveLetterOf(DirectoryListFolder(directory_list)));
}

void FitClosedHeight(HWND combo, int height) {
  // The selection field is the whole closed height less the frame.
  RECT closed;
  GetWindowRect(combo, &closed);
  const LRESULT field = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const int frame = (closed.bottom - closed.top) - static_cast<int>(field);
  if (field != CB_ERR && height > frame) {
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
  }
}

}  // namespace tidemark
