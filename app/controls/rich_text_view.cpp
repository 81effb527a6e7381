#include "app/controls/rich_text_view.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "container/errors.h"

namespace tidemark {
namespace {

constexpr char kFailedToLoadStream[] = "Failed to Load Stream";

// The default limit of a rich edit control is 32767 characters, far too
// little for some licence texts.
constexpr LPARAM kTextLimit = 0x7FFFFFF0;

struct StreamReader {
  const std::vector<uint8_t>* text;
  size_t position;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* reader = reinterpret_cast<StreamReader*>(cookie);
  const size_t left = reader->text->size() - reader->position;
  const size_t count = std::min(left, static_cast<size_t>(std::max<LONG>(wanted, 0)));
  if (count > 0) std::memcpy(buffer, reader->text->data() + reader->position, count);
  reader->position += count;
  *got = static_cast<LONG>(count);
  return 0;
}

const char* LoadRichEditLibrary() {
  if (LoadLibraryExA("msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) != nullptr) {
    return "RICHEDIT50W";
  }
  if (LoadLibraryExA("riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) != nullptr) {
    return "RichEdit20A";
  }
  return nullptr;
}

}  // namespace

const char* RichTextClassName() {
  // The library stays loaded for the life of the process.
  static const char* const class_name = LoadRichEditLibrary();
  return class_name;
}

HWND CreateRichTextView(HWND parent, int id, const RECT& place, const RichTextOptions& options) {
  const char* class_name = RichTextClassName();
  if (class_name == nullptr) return nullptr;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_MULTILINE | ES_READONLY;
  if (options.scroll_bar) style |= WS_VSCROLL | ES_AUTOVSCROLL;
  if (options.focusable) style |= WS_TABSTOP;
  const DWORD ex_style = options.sunken ? WS_EX_CLIENTEDGE : 0;
  HWND view = CreateWindowExA(
      ex_style, class_name, "", style, place.left, place.top, place.right - place.left,
      place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (view == nullptr) return nullptr;
  SendMessageA(view, EM_EXLIMITTEXT, 0, kTextLimit);
  if (options.button_face) {
    SendMessageA(view, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
  }
  return view;
}

void LoadRichText(const std::vector<uint8_t>& text, const StreamInFn& stream_in) {
  if (stream_in(text, true)) return;
  if (stream_in(text, false)) return;
  throw Error(kFailedToLoadStream);
}

void LoadRichText(HWND view, const std::vector<uint8_t>& text) {
  LoadRichText(text, [view](const std::vector<uint8_t>& bytes, bool rtf) {
    return StreamIntoView(view, bytes, rtf);
  });
}

bool StreamIntoView(HWND view, const std::vector<uint8_t>& text, bool rtf) {
  if (!IsWindow(view)) return false;
  StreamReader reader{&text, 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
  stream.pfnCallback = ReadStream;
  SendMessageA(view, EM_STREAMIN, rtf ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0;
}

}  // namespace tidemark
