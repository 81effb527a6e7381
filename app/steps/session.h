// What start-up, the installation and the uninstallation share, in parts
// by lifetime: the loaded installer, fixed once start-up has ended; the
// folders of this machine; the install target that the run settles; the
// install log. The installer window (or the unattended run) owns the one
// session and hands each step the parts it reads or changes.
#pragma once

#include <cstdint>
#include <string>

#include "container/control_info.h"
#include "container/exe_image.h"
#include "rules/install_log.h"
#include "system/exe_file.h"

namespace tidemark {

// The running executable and its container, as start-up loads them. Only
// the read positions of the file and the image move afterwards.
struct LoadedInstaller {
  ExeFile exe_file;    // the running executable, open for reading
  ExeImage exe_image;  // the whole executable, one read position, descrambled as read
  ControlInfo control_info;
  int64_t data_start = 0;     // first item, just past the end marker and its CR LF
  bool scrambled = false;     // the container is scrambled (exe_image knows where)
  int64_t payload_start = 0;  // first file item; set in install mode only
  std::string app_name;
  std::string app_company;
};

// The folders of this machine that the run works with.
struct MachineFolders {
  std::string programs;  // the program groups
  std::string desktop;
  std::string program_files;  // what TargetFolder's leading component stands for
  std::string folder_base;    // the folder that holds the install folder
};

// Where the installation goes, or went.
struct InstallTarget {
  std::string install_folder;     // the install folder line, as the user last left it
  std::string main_program_path;  // the program "Run Program" starts
  std::string uninstaller_path;   // the uninstaller the removal found in the log
};

struct Session {
  LoadedInstaller installer;
  MachineFolders folders;
  InstallTarget target;
  InstallLog install_log;
};

}  // namespace tidemark
