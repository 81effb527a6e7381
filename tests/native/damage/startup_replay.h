// An installer image read the way the installer reads it, without a window
// or files: every item goes to a sink that checks it (item_checks.h).
#pragma once

#include <string>

#include "container/exe_image.h"

namespace tidemark::test {

// The installer's answer when a file name would leave the install folder.
inline constexpr char kFileRefusedMessage[] = "Could not install file - aborting installation";

struct ReplayResult {
  std::string failure;       // the message that ended the reading; empty: a clean load
  int pictures_refused = 0;  // splash or icon that the installer leaves empty
  int files_checked = 0;     // file items decoded with their Adler-32 checked

  bool loaded() const { return failure.empty(); }
};

// Start-up as the installer runs it (the container head, the splash and the
// icon from DataStart, whose failures leave the picture empty and the read
// position where decoding stopped, the about and licence texts), then the
// installation run's reading of the file items named by the file lines.
ReplayResult ReplayInstaller(ExeImage& image, const std::string& running_file_name);

// The same image as the packer's tools walk it: WalkContainerHead, whose
// head items must all be sound, then the file items.
ReplayResult ReplayToolWalk(ExeImage& image, const std::string& running_file_name);

}  // namespace tidemark::test
