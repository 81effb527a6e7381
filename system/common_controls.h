// The common controls (comctl32), loaded from the system folder once the
// library search is restricted, instead of named in the import table: the
// loader would otherwise map it before WinMain, and with it whatever it
// loads by the ordinary search order (uxtheme.dll from the installer's
// folder). The manifest's activation context still binds the load to
// version 6 in the side-by-side store.
//
// The functions of namespace comctl stand in for the comctl32 functions of
// the same names; each answers as that function does when it fails
// (FALSE, null, DefWindowProcA) should the library or the function be
// missing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "system/handles.h"

namespace tidemark {

using UniqueModule = UniqueResource<NullInvalidTraits<HMODULE, &FreeLibrary>>;

// comctl32 with the functions the installer takes from it.
struct CommonControlsLibrary {
  UniqueModule module;
  decltype(&::InitCommonControlsEx) init_common_controls_ex = nullptr;
  decltype(&::ImageList_Create) image_list_create = nullptr;
  decltype(&::ImageList_Add) image_list_add = nullptr;
  decltype(&::ImageList_Destroy) image_list_destroy = nullptr;
  decltype(&::ImageList_GetIconSize) image_list_get_icon_size = nullptr;
  decltype(&::ImageList_DrawIndirect) image_list_draw_indirect = nullptr;
  decltype(&::SetWindowSubclass) set_window_subclass = nullptr;
  decltype(&::RemoveWindowSubclass) remove_window_subclass = nullptr;
  decltype(&::DefSubclassProc) def_subclass_proc = nullptr;
};

// Loads comctl32 from the system folder (or where the active activation
// context redirects it) and looks up its functions; an empty module when it
// cannot be loaded.
CommonControlsLibrary LoadCommonControls();

// The process's copy, loaded at the first call and kept until the end.
const CommonControlsLibrary& CommonControls();

namespace comctl {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
int ImageList_Add(HIMAGELIST images, HBITMAP image, HBITMAP mask);
BOOL ImageList_Destroy(HIMAGELIST images);
BOOL ImageList_GetIconSize(HIMAGELIST images, int* width, int* height);
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace comctl
}  // namespace tidemark
