// What an uninstaller may delete, whatever its log says: the log lies in the
// install folder, where it may have been changed or planted, so each entry
// is checked against folders the log cannot choose.
#pragma once

#include <string>
#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

// The folders an uninstallation may delete from. `install_folder` comes
// from the running uninstaller's own path (its folder part), never from the
// log. The shell folders and the product name are those the installation
// used for its shortcuts: `desktop_folder` and `programs_folder` as read
// (empty: none), with or without a "\\" at the end.
struct RemovalScope {
  std::string install_folder;
  std::string desktop_folder;
  std::string programs_folder;
  std::string app_name;
};

enum class EntryKind {
  // None of the others: the entry is left alone.
  kOutside,
  // Below the install folder, with a remainder that is a safe relative
  // name (IsSafeRelativeName) once each doubled separator counts as one.
  // None when the install folder is no absolute folder below a root: an
  // uninstaller in "C:\\" would otherwise own the drive.
  kInstalled,
  // A ".lnk" file directly in the desktop folder.
  kDesktopLink,
  // A ".lnk" file directly in the program group: programs folder + "\\" +
  // product name, for a product name that is a safe file name.
  kGroupLink,
};

// Which kind of entry `entry` is. Folders are matched as Windows matches
// paths: ASCII letters in either case, "\\" and "/" alike, a doubled
// separator as one (an install folder typed with a "\\" at its end makes
// entries such as "C:\\App\\\\x.txt"); the bytes of a double-byte character
// are compared as they stand, its second byte neither a separator nor a
// letter. A link's name (name + ".lnk", ".lnk" in any letter case) must
// stay in its folder (StaysInFolder), as the shortcut step plans it.
EntryKind ClassifyEntry(std::string_view entry, const RemovalScope& scope,
                        LeadBytePredicate is_lead_byte = nullptr, int code_page = kAnyCodePage);

// Where an entry lies: its kind, the folder of the scope it lies in (the
// install folder, the desktop folder, or the programs folder for a group
// link) and what follows that folder in the entry (for a group link the
// product name, "\\" and the link's name). Both texts are empty for
// kOutside. The removal deletes nothing through a link met in the
// remainder.
struct EntryPlace {
  EntryKind kind = EntryKind::kOutside;
  std::string folder;
  std::string remainder;
};

// ClassifyEntry's answer, with the place.
EntryPlace PlaceEntry(std::string_view entry, const RemovalScope& scope,
                      LeadBytePredicate is_lead_byte = nullptr, int code_page = kAnyCodePage);

// Whether the uninstall run may delete `entry`: it is of one of the three
// kinds above.
bool MayDelete(std::string_view entry, const RemovalScope& scope,
               LeadBytePredicate is_lead_byte = nullptr, int code_page = kAnyCodePage);

// Whether `entry` may be taken as the uninstaller's path, which the removal
// batch deletes and whose folder it removes: only an entry below the
// install folder (kInstalled).
bool MayBeUninstallerPath(std::string_view entry, const RemovalScope& scope,
                          LeadBytePredicate is_lead_byte = nullptr, int code_page = kAnyCodePage);

}  // namespace tidemark
