// Shell link (.lnk) files.
#pragma once

#include <string>

#include "system/wide_text.h"

namespace tidemark {

// Writes a shell link at `link_path` that starts `target`, carries
// `description` as its comment and starts in the target's folder (with its
// trailing separator; none when the target names no folder). COM must be
// initialised on the calling thread. Raises Error when the shell link object
// cannot be created ("Interface not supported" when it lacks an interface);
// a link the shell refuses to write is left unwritten without an error, and
// missing folders on `link_path` are not created.
void CreateShortcut(const std::string& description, const std::wstring& link_path,
                    const std::string& target);

// The same with `link_path` in the system's ANSI code page.
void CreateShortcut(const std::string& description, const std::string& link_path,
                    const std::string& target);

}  // namespace tidemark
