// Files and folders that only the system and administrators may change, for
// what an elevated program writes where other users could reach it and then
// starts or reads.
#pragma once

#include <memory>
#include <string>

#include "container/file_sink.h"
#include "system/handles.h"

namespace tidemark {

// The access rules such a file gets, as an SDDL text: full control for
// SYSTEM and the Administrators group, nothing else, nothing inherited.
inline constexpr char kAdministratorsOnlySddl[] = "D:P(A;;FA;;;SY)(A;;FA;;;BA)";

// The same, and reading and running for the Users group (FRFX): what the
// uninstaller and the install log get.
inline constexpr char kUsersReadAndRunSddl[] = "D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;FRFX;;;BU)";

// A new install folder's rules, as the Program Files folder has them: full
// control for SYSTEM and Administrators, reading and running for Users, each
// inherited by every file and folder made in it (OICI); nothing inherited
// from the parent.
inline constexpr char kProtectedFolderSddl[] =
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

// The descriptor of an SDDL text, in memory that LocalFree gives back; none
// when the system cannot build it.
LocalMemory DescriptorFromSddl(const char* sddl);

// That of kAdministratorsOnlySddl.
LocalMemory AdministratorsOnlyDescriptor();

// Creates the file at `path` anew with kAdministratorsOnlySddl and writes
// `bytes`. Whatever is in the way is removed first (RemoveEntryItself): a
// file (or a link, never what it points to) is deleted, an empty folder or a
// folder link removed. The file is then created only if nothing has taken
// its place meanwhile. Raises Error("Cannot create file ...") with the
// system's reason when something in the way cannot be removed or the file
// cannot be created, and Error("Stream write error") when it cannot be
// written.
void WriteAdministratorsOnlyFile(const std::string& path, const std::string& bytes);

// Creates the file at `path` anew with kUsersReadAndRunSddl, after removing
// what is in the way as WriteAdministratorsOnlyFile does (so an existing
// file's looser rules never carry over), and returns it to be written; the
// same errors. For the uninstaller and the install log.
std::unique_ptr<FileSink> CreateUsersReadAndRunFile(const std::string& path);

// Creates the folder `path`, whose parent exists, with kProtectedFolderSddl.
// True on success; false when it exists already (its rules stay as they
// are) or cannot be made.
bool CreateProtectedFolder(const std::string& path);

}  // namespace tidemark
