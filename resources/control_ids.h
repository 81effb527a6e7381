// Control identifiers of the installer window. The window gives every child
// control its identifier; the UI driver of the end-to-end tests finds
// controls by them. Keep this header free of any Windows header.
#pragma once

namespace tidemark::ids {

enum ControlId : int {
  // Header and content area
  kBevel1 = 100,
  kImgSplash,
  kPanIcon,
  kImgIcon,
  kLabTitle,
  kBevel3,
  kLabCompany,
  kPanel1,
  kPageControl1,

  // Pages of PageControl1, in page order
  kTabIntro = 200,
  kTabLicense,
  kTabFolder,
  kTabInstalling,
  kTabInstalled,
  kTabUninstall,
  kTabUninstalled,

  // Intro
  kPanel2 = 300,
  kRichAbout,
  kLabWelcome,
  kBevel2,
  kBtnShowLicense,
  kBtnExit,
  kLabel11,

  // License
  kLabel8 = 400,
  kRichLicense,
  kBevel4,
  kBtnAccept,
  kBtnExit2,

  // Folder
  kLabel4 = 500,
  kBevel12,
  kBtnChoose,
  kPanChoose,
  kDriveComboBox1,
  kDirectoryListBox1,
  kEdtFolder,
  kLabel1,
  kBevel5,
  kLabInstallTo,
  kBtnGoInstall,
  kBtnExit3,

  // Installing
  kLabel5 = 600,
  kBevel6,
  kLabInstallingFile,
  kBtnExit4,
  kMtrProgress,

  // Complete
  kLabel7 = 700,
  kChkRunProgram,
  kBevel7,
  kBtnComplete,
  kProgressBar1,

  // Uninstall
  kLabUninstall = 800,
  kBevel8,
  kBtnUninstall,
  kBtnCancel,
  kLabel2,

  // Uninstalled
  kLabUninstall2 = 900,
  kLabTraces,
  kBevel9,
  kBtnUninstallExit,
  kMtrUninstall,
};

// Window class and title of the installer window.
inline constexpr char kWindowClass[] = "TfrmInstall";

// The application's own window: the taskbar button and Alt+Tab entry,
// titled with the application's title and owning the installer window.
inline constexpr char kApplicationClass[] = "TApplication";
inline constexpr char kApplicationTitle[] = "Installer";

}  // namespace tidemark::ids
