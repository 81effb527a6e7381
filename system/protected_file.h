// Files that only the system and administrators may change, for what an
// elevated program writes where other users could reach it and then starts.
#pragma once

#include <string>

#include "system/handles.h"

namespace tidemark {

// The access rules such a file gets, as an SDDL text: full control for
// SYSTEM and the Administrators group, nothing else, nothing inherited.
inline constexpr char kAdministratorsOnlySddl[] = "D:P(A;;FA;;;SY)(A;;FA;;;BA)";

// That descriptor, in memory that LocalFree gives back; none when the
// system cannot build it.
LocalMemory AdministratorsOnlyDescriptor();

// Creates the file at `path` anew with those rules and writes `bytes`.
// Whatever is in the way is removed first: a file (or a link, never what it
// points to) is deleted, an empty folder or a folder link removed. The file
// is then created only if nothing has taken its place meanwhile. Raises
// Error("Cannot create file ...") with the system's reason when something
// in the way cannot be removed or the file cannot be created, and
// Error("Stream write error") when it cannot be written.
void WriteAdministratorsOnlyFile(const std::string& path, const std::string& bytes);

}  // namespace tidemark
