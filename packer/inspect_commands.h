// The packer's read-back commands. Each writes its report to `out` as it
// goes and raises Error naming the first fault it meets.
#pragma once

#include <ostream>
#include <string>

namespace tidemark {

// Every control-information line, every item with its offset, stored size
// and content size, then DataStart and PayloadStart.
void ListInstaller(const std::string& path, std::ostream& out);

// Reads every item to its end, so that every Adler-32 is checked (and, for a
// scrambled container, the checksum as the installer checks it at start-up).
void VerifyInstaller(const std::string& path, std::ostream& out);

// Writes the product's files below `folder`, in their sub-folders. Every
// name is checked before anything is written; a name that would land
// outside `folder` is refused.
void ExtractInstaller(const std::string& path, const std::string& folder, std::ostream& out);

}  // namespace tidemark
