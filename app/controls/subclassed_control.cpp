#include "app/controls/subclassed_control.h"

namespace tidemark {

HWND CreateStandardChild(const char* window_class, HWND parent, int id, const RECT& place,
                         int height, DWORD style, DWORD ex_style) {
  return CreateWindowExA(
      ex_style, window_class, "", WS_CHILD | style, place.left, place.top, place.right - place.left,
      height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace tidemark
