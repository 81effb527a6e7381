// The steps of start-up that need no window, shared by the wizard and the
// unattended run: the folders of this machine, the container head, the
// head items and the choice between installing and uninstalling.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/report/step_report.h"
#include "app/steps/session.h"
#include "container/head_items.h"
#include "container/rgb_image.h"
#include "rules/folder_proposal.h"

namespace tidemark {

// Runs the fatal part of start-up, `load`; the damaged-installer message of
// its failure (a LoadError's own, otherwise that of LoadFailure::kInitialise),
// or nothing when it succeeded.
std::optional<std::string> LoadFailureOf(const std::function<void()>& load);

// The program group, desktop and program-files folders from the registry.
void LookUpFolders(MachineFolders& folders);

// Opens the running executable, reads it whole into the installer's image
// (an image that cannot be read is reported as information, and loading
// goes on with what was read), loads the control information and takes the
// product's name and company. Raises LoadError, or another error, when the
// container cannot be loaded or names an unacceptable product.
void OpenContainer(LoadedInstaller& installer, StepReport& report);

// The splash and the icon items, each one present in turn, read from
// DataStart (a container without a splash is read from there too: reading
// on from the end marker's line break would take those two bytes for the
// next item). `show` gets an empty image first, then the decoded one; a
// picture that cannot be decoded stays empty, and the read position stays
// where the failed decoding left it.
void ReadHeadImages(LoadedInstaller& installer,
                    const std::function<void(HeadItem, RgbImage)>& show);

// The proposed install folder from TargetFolder: its folder base is taken
// into `folders` and then entered by `enter_base` (the wizard's directory
// list moves there, the unattended run makes it the current folder), whose
// error, raised when the base cannot be entered, is passed on.
FolderProposal ProposeInstallFolder(const ControlInfo& control_info, MachineFolders& folders,
                                    const std::function<void(const std::string&)>& enter_base);

// The about and licence texts, in that order. Raises the items' errors.
void ReadHeadTexts(LoadedInstaller& installer,
                   const std::function<void(HeadItem, const std::vector<uint8_t>&)>& show);

// The last step of start-up. The install log beside the running executable
// makes it the uninstaller, whatever its name: the log is loaded into
// `install_log`, `target`'s install folder becomes the running
// executable's own folder (what the removal may delete below; never taken
// from the log) and true returned. Otherwise it installs, and the head
// items having all been read, the read position is the first file item,
// the payload start. Raises the log's read errors.
bool LoadUninstallLog(LoadedInstaller& installer, InstallLog& install_log, InstallTarget& target);

}  // namespace tidemark
