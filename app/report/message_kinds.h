// What a message is and how it can be answered: the words that the steps,
// the wizard's boxes and the unattended log share.
#pragma once

namespace tidemark {

enum class BoxKind { kNone, kWarning, kError, kInformation, kConfirmation };
enum class BoxButton { kYes, kNo, kOk, kAbort };

}  // namespace tidemark
