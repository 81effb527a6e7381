// The values of the uninstall entry beyond "DisplayName" and
// "UninstallString", as data, and the forms their texts and numbers take.
// The registration step writes them after the two, in this order; they come
// from control-information keys (container/control_keys.h) that a container
// may leave out, and then none is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "container/control_info.h"

namespace tidemark {

// One registry value: REG_DWORD `number` when it has one, else REG_SZ `text`.
struct EntryValue {
  const char* name;
  std::string text;
  std::optional<uint32_t> number;
};

// The further values for an installation into `install_folder` on
// `install_date` (InstallDateText), each only when its key gives it a
// value: DisplayVersion, Publisher, DisplayIcon, EstimatedSize, then with
// UninstallEntry=full InstallLocation, InstallDate, QuietUninstallString,
// NoModify and NoRepair, then URLInfoAbout, HelpLink, VersionMajor and
// VersionMinor. Texts are the container's bytes, in its code page.
std::vector<EntryValue> PlanUninstallDetails(const ControlInfo& control_info,
                                             std::string_view install_folder,
                                             std::string_view install_date);

// "YYYYMMDD", as InstallDate holds it.
std::string InstallDateText(int year, int month, int day);

// The number of dot-separated part `index` of a version ("1.2.3": 0 is 1,
// 1 is 2): its leading decimal digits; none when it has none or the number
// does not fit 32 bits.
std::optional<uint32_t> VersionPart(std::string_view version, int index);

// The uninstaller in `install_folder`, always quoted, then "/S".
std::string QuietUninstallCommand(std::string_view install_folder);

// `path` quoted, then ",0": the first icon of that file.
std::string IconReference(std::string_view path);

}  // namespace tidemark
