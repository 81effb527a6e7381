// Small files read or written in one piece: the install log and the removal
// batch.
#pragma once

#include <string>

#include "rules/install_log.h"

namespace tidemark {

// The whole file at `path`. It is opened for reading while other programs
// may read it but not write it, so that the bytes belong together. Raises
// Error("Cannot open file ...") naming the path and the system's reason when
// it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Creates the file anew at `path` (an existing one is replaced, unshared
// while open) and writes `bytes` in one piece. Raises Error("Cannot create
// file ...") when it cannot be created, and an Error when it cannot be
// written.
void WriteNewFile(const std::string& path, const std::string& bytes);

// Writes every entry followed by CR LF, in one piece, into a file created
// anew at `path` (an earlier log there is replaced, not merged). Raises
// Error("Cannot create file ...") when the file cannot be created, and an
// Error when it cannot be written.
void SaveInstallLogFile(const std::string& path, const InstallLog& log);

}  // namespace tidemark
