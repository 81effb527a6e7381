#include "system/common_controls.h"

namespace tidemark {
namespace {

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

CommonControlsLibrary LoadCommonControls() {
  CommonControlsLibrary library;
  library.module.Reset(LoadLibraryExA("comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const HMODULE module = library.module.get();
  if (module == nullptr) return library;
  Find(module, "InitCommonControlsEx", library.init_common_controls_ex);
  Find(module, "ImageList_Create", library.image_list_create);
  Find(module, "ImageList_Add", library.image_list_add);
  Find(module, "ImageList_Destroy", library.image_list_destroy);
  Find(module, "ImageList_GetIconSize", library.image_list_get_icon_size);
  Find(module, "ImageList_DrawIndirect", library.image_list_draw_indirect);
  Find(module, "SetWindowSubclass", library.set_window_subclass);
  Find(module, "RemoveWindowSubclass", library.remove_window_subclass);
  Find(module, "DefSubclassProc", library.def_subclass_proc);
  return library;
}

const CommonControlsLibrary& CommonControls() {
  static const CommonControlsLibrary library = LoadCommonControls();
  return library;
}

namespace comctl {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  const auto function = CommonControls().init_common_controls_ex;
  return function != nullptr ? function(controls) : FALSE;
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
  const auto function = CommonControls().image_list_create;
  return function != nullptr ? function(width, height, flags, initial, grow) : nullptr;
}

int ImageList_Add(HIMAGELIST images, HBITMAP image, HBITMAP mask) {
  const auto function = CommonControls().image_list_add;
  return function != nullptr ? function(images, image, mask) : -1;
}

BOOL ImageList_Destroy(HIMAGELIST images) {
  const auto function = CommonControls().image_list_destroy;
  return function != nullptr ? function(images) : FALSE;
}

BOOL ImageList_GetIconSize(HIMAGELIST images, int* width, int* height) {
  const auto function = CommonControls().image_list_get_icon_size;
  return function != nullptr ? function(images, width, height) : FALSE;
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params) {
  const auto function = CommonControls().image_list_draw_indirect;
  return function != nullptr ? function(params) : FALSE;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  const auto function = CommonControls().set_window_subclass;
  return function != nullptr ? function(window, procedure, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  const auto function = CommonControls().remove_window_subclass;
  return function != nullptr ? function(window, procedure, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto function = CommonControls().def_subclass_proc;
  return function != nullptr ? function(window, message, wparam, lparam)
                             : DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace comctl
}  // namespace tidemark
