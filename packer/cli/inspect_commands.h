// The packer's read-back commands. Each writes its report to `out` as it
// goes and raises Error naming the first fault it meets; a file that is no
// installer, or an uninstaller, is named as such
// (packer/cli/installer_opening.h). Names and texts are shown and written
// in UTF-8, converted from the code page the packer recorded in the
// installer (1252 when it recorded none).
#pragma once

#include <ostream>
#include <string>

#include "container/control_info.h"
#include "packer/product/code_page.h"

namespace tidemark {

// The code page the packer recorded in the control information; 1252 when
// there is none it knows.
CodePage CodePageOf(const ControlInfo& info);

// Every control-information line, what an installation registers, the
// installer's version information and icon, every item with its offset,
// stored size and content size, then DataStart and PayloadStart. Of an
// uninstaller the same but for the file items it lacks, then its Error.
void ListInstaller(const std::string& path, std::ostream& out);

// Reads every item to its end, so that every Adler-32 is checked (and, for a
// scrambled container, the checksum as the installer checks it at start-up),
// and checks the stub as build does and every file line's name as extract
// does; then tells what an installation registers, as ListInstaller does.
void VerifyInstaller(const std::string& path, std::ostream& out);

// Writes the product's files below `folder`, in their sub-folders. Every
// name is checked before anything is written: a name that would land
// outside `folder` is refused, and so is one that exists already unless
// `force` is set. Each file is written beside its place and renamed there.
void ExtractInstaller(const std::string& path, const std::string& folder, bool force,
                      std::ostream& out);

}  // namespace tidemark
