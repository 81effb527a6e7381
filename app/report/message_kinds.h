// What a message is and how it can be answered: the words that the steps,
// the wizard's boxes and the unattended log share.
#pragma once

namespace tidemark {

enum class BoxKind { kNone, kWarning, kError, kInformation, kConfirmation };
// The answer to a box: one of its buttons, or kClosed when the box was
// closed without one (Escape, its close button, Alt+F4), an answer of its
// own.
enum class BoxButton { kYes, kNo, kOk, kAbort, kClosed };

}  // namespace tidemark
