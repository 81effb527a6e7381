// Read-only rich-text views. Text is loaded as Rich Text Format; a view that
// rejects it as RTF gets the same bytes again as plain text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace tidemark {

// The window class of the rich edit control, loading its library from the
// system folder on first use: the newest available ("RICHEDIT50W" from
// msftedit.dll), else "RichEdit20A" from riched20.dll; null when neither
// can be loaded.
const char* RichTextClassName();

struct RichTextOptions {
  bool scroll_bar = false;   // vertical scroll bar
  bool sunken = false;       // sunken three-dimensional border
  bool button_face = false;  // button-face background instead of the window's
  bool focusable = false;    // a Tab stop
};

HWND CreateRichTextView(HWND parent, int id, const RECT& place, const RichTextOptions& options);

// Streams `text` into a view as RTF (`rtf`) or plain text, replacing its
// content; true when the view accepted the stream.
using StreamInFn = std::function<bool(const std::vector<uint8_t>& text, bool rtf)>;

// Loads `text` as RTF, falling back to plain text from the same start; raises
// Error("Failed to Load Stream") when both are rejected.
void LoadRichText(const std::vector<uint8_t>& text, const StreamInFn& stream_in);
void LoadRichText(HWND view, const std::vector<uint8_t>& text);

// One EM_STREAMIN of `text` into `view`.
bool StreamIntoView(HWND view, const std::vector<uint8_t>& text, bool rtf);

}  // namespace tidemark
