// Case files are UTF-8 text; the driver names files, keys and texts in the
// system's ANSI code page, through the "A" calls, as the installer does.
#pragma once

#include <vector>

#include "tests/e2e/driver/script.h"

namespace tidemark::e2e {

// Converts every word of `commands` from UTF-8 to the ANSI code page, after
// the words have been split: in a double-byte code page a converted word may
// hold the byte of "\" inside a character, which must not be read as an
// escape. A word that is not UTF-8 stays as it is. Raises ScriptError naming
// the line for a word that the ANSI code page cannot hold (a case written
// for another code page than the session's).
void WordsInAnsiCodePage(std::vector<Command>& commands);

}  // namespace tidemark::e2e
