// What start-up, the installation and the uninstallation share: the running
// executable and its container, the folders start-up looked up, and what the
// run decides on the way. The installer window owns the one session and
// hands it to the steps, which never see the window.
#pragma once

#include <cstdint>
#include <string>

#include "container/control_info.h"
#include "container/exe_image.h"
#include "rules/install_log.h"
#include "system/exe_file.h"

namespace tidemark {

struct Session {
  ExeFile exeFile;    // the running executable, open for reading
  ExeImage exeImage;  // the whole executable in memory, one read position
  ControlInfo controlInfo;
  InstallLog installLog;
  int64_t dataStart = 0;     // first item, just past the end marker and its CR LF
  bool scrambled = false;    // the container was descrambled in memory at start-up
  int64_t payloadStart = 0;  // first file item; set in install mode only
  std::string appName;
  std::string appCompany;
  std::string programsFolder;
  std::string desktopFolder;
  std::string programFilesFolder;
  std::string folderBase;
  std::string installFolder;
  std::string mainProgramPath;
  std::string uninstallerPath;
};

}  // namespace tidemark
