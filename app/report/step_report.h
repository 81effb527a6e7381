// Where the steps' messages go. The wizard shows each one in a box owned by
// its window and waits for the answer; the unattended run writes each one
// to its log and takes the box's default answer.
#pragma once

#include <string>
#include <vector>

#include "app/report/message_kinds.h"
#include "container/items.h"

namespace tidemark {

// Texts that the wizard and the unattended run both report.
inline constexpr char kDamagedCannotInstall[] = "The installer is damaged and cannot install.";
inline constexpr char kChooseInstallFolder[] = "Please choose a folder to install into.";
inline constexpr char kFolderExistsQuestion[] =
    "Folder already exists, existing files may be overwritten.\r"
    "Are you sure you want to install the software here?";
// The install folder refused as a link to another place.
inline std::string InstallFolderIsLinkMessage(const std::string& folder) {
  return "The folder " + folder +
         " is a link to another place.\rPlease choose a folder to install into.";
}
inline constexpr char kLeftoverNote[] =
    "Some files created after the original installation are still in the application folder.";

class StepReport {
 public:
  virtual ~StepReport() = default;
  // A message of `kind` offering `buttons` (the first is the default);
  // returns the answer.
  virtual BoxButton Message(BoxKind kind, const std::string& text,
                            std::vector<BoxButton> buttons) = 0;
};

// Where the unpacking shows itself: the wizard's progress meter and the
// label that names the file, or the unattended run's log.
class InstallDisplay : public StepReport {
 public:
  // Names the file about to be installed ("Installing : NAME").
  virtual void Announce(const std::string& text) = 0;
  // Counts the bytes written.
  virtual ProgressFn Advance() = 0;
  // Shows everything pending now.
  virtual void Paint() = 0;
  // Shows everything pending and handles pending messages now.
  virtual void Show() = 0;
};

}  // namespace tidemark
