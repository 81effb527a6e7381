#include "resources/layout.h"

namespace tidemark::layout {
namespace {

using namespace ids;
using K = Kind;

// Where a page sits inside PageControl1: below the hidden tab row and inside
// the control's display margin. PageControl1 stands at (-2, -32) in Panel1,
// so a page's origin is (2, -4) in the content area: its button row
// (page y 216 to 254) ends two pixels above the content area's bottom edge.
constexpr int kPageLeft = 4;
constexpr int kPageTop = 28;
constexpr int kPageWidth = 472;
constexpr int kPageHeight = 302;

// The frame that every page shares.
constexpr int kRuleLeft = 0, kRuleTop = 203, kRuleWidth = 438, kRuleHeight = 2;
constexpr int kForwardLeft = 344, kFinalLeft = 392, kButtonTop = 216, kButtonSize = 38;

constexpr char kFooter[] = "Tidemark Installation System by Brackwater";

}  // namespace

// clang-format off
const ControlSpec kControls[] = {
    // Header and content area
    {kImgSplash, kWindow, K::kPicture, 11, 11, 128, 296, "", kStretch, "imgSplash"},
    {kBevel1, kWindow, K::kBevelBox, 10, 10, 130, 298, "", kNone, "Bevel1"},
    {kPanIcon, kWindow, K::kPanel, 146, 10, 34, 34, "", kBlack | kLoweredEdge, "panIcon"},
    {kImgIcon, kPanIcon, K::kPicture, 1, 1, 32, 32, "", kBlack, "imgIcon"},
    {kBevel3, kWindow, K::kBevelRule, 186, 26, 399, 2, "", kRaised, "Bevel3"},
    {kLabCompany, kWindow, K::kLabel, 186, 30, 401, 19, "by Brackwater", kNone, "labCompany"},
    {kLabTitle, kWindow, K::kLabel, 186, 10, 401, 23, "Software Title", kBold | kTransparent,
     "labTitle"},
    {kPanel1, kWindow, K::kPanel, 146, 58, 444, 252, "", kNone, "Panel1"},
    {kPageControl1, kPanel1, K::kPageControl, -2, -32, 480, 334, "", kNone, "PageControl1"},
    {kTabIntro, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight, "Intro",
     kHidden, "tabIntro"},
    {kTabLicense, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight,
     "License", kHidden, "tabLicense"},
    {kTabFolder, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight, "Folder",
     kHidden, "tabFolder"},
    {kTabInstalling, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight,
     "Installing", kHidden, "tabInstalling"},
    {kTabInstalled, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight,
     "Complete", kHidden, "tabInstalled"},
    {kTabUninstall, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight,
     "Uninstall", kHidden, "tabUninstall"},
    {kTabUninstalled, kPageControl1, K::kPage, kPageLeft, kPageTop, kPageWidth, kPageHeight,
     "tabUninstalled", kHidden, "tabUninstalled"},

    // Intro
    {kPanel2, kTabIntro, K::kPanel, 16, 24, 409, 105, "", kDisabled, "Panel2"},
    {kRichAbout, kPanel2, K::kRichText, 0, 0, 409, 105, "", kButtonFace, "richAbout"},
    {kLabWelcome, kTabIntro, K::kLabel, 16, 150, 409, 43, "", kWordWrap, "labWelcome"},
    {kBevel2, kTabIntro, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "", kNone,
     "Bevel2"},
    {kBtnShowLicense, kTabIntro, K::kImageButton, kForwardLeft, kButtonTop, kButtonSize,
     kButtonSize, "Next", kNone, "btnShowLicense"},
    {kBtnExit, kTabIntro, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize, kButtonSize,
     "Exit", kNone, "btnExit"},
    {kLabel11, kTabIntro, K::kLabel, 16, 226, 313, 23, kFooter, kDisabled, "Label11"},

    // License
    {kLabel8, kTabLicense, K::kLabel, 16, 22, 409, 35, "", kWordWrap, "Label8"},
    {kRichLicense, kTabLicense, K::kRichText, 16, 64, 401, 121, "",
     kScrollBar | kSunken | kFocusable, "richLicense"},
    {kBevel4, kTabLicense, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "",
     kNone, "Bevel4"},
    {kBtnAccept, kTabLicense, K::kImageButton, kForwardLeft, kButtonTop, kButtonSize,
     kButtonSize, "Accept", kNone, "btnAccept"},
    {kBtnExit2, kTabLicense, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize, kButtonSize,
     "Exit", kNone, "btnExit2"},

    // Folder
    {kLabel4, kTabFolder, K::kLabel, 16, 22, 249, 75,
     "The software will be installed to the folder shown below.  If you want to install the "
     "software to a different folder please click the 'Choose...' button.",
     kWordWrap, "Label4"},
    {kPanChoose, kTabFolder, K::kPanel, 280, 24, 145, 169, "", kHidden, "panChoose"},
    {kDriveComboBox1, kPanChoose, K::kDriveSelector, 0, 0, 145, 19, "", kFocusable,
     "DriveComboBox1"},
    {kDirectoryListBox1, kPanChoose, K::kDirectoryList, 0, 24, 145, 119, "",
     kSunken | kFocusable, "DirectoryListBox1"},
    {kEdtFolder, kPanChoose, K::kEdit, 0, 148, 145, 21, "", kSunken | kFocusable, "edtFolder"},
    {kBtnChoose, kTabFolder, K::kTextButton, 288, 32, 129, 25, "Choose...", kNone, "btnChoose"},
    {kBevel12, kTabFolder, K::kBevelBox, 280, 24, 145, 41, "", kNone, "Bevel12"},
    {kLabel1, kTabFolder, K::kLabel, 16, 174, 265, 27,
     "Click the blue arrow button to begin installation...", kWordWrap | kTransparent, "Label1"},
    {kBevel5, kTabFolder, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "", kNone,
     "Bevel5"},
    {kLabInstallTo, kTabFolder, K::kLabel, 16, 226, 321, 25, "", kNone, "labInstallTo"},
    {kBtnGoInstall, kTabFolder, K::kImageButton, kForwardLeft, kButtonTop, kButtonSize,
     kButtonSize, "Install Now", kNone, "btnGoInstall"},
    {kBtnExit3, kTabFolder, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize, kButtonSize,
     "Exit", kNone, "btnExit3"},

    // Installing
    {kLabel5, kTabInstalling, K::kLabel, 16, 22, 257, 163, "Installing...", kWordWrap, "Label5"},
    {kBevel6, kTabInstalling, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "",
     kNone, "Bevel6"},
    {kLabInstallingFile, kTabInstalling, K::kLabel, 16, 226, 321, 33, "Installing : ", kNone,
     "labInstallingFile"},
    {kBtnExit4, kTabInstalling, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize,
     kButtonSize, "Cancel & Exit", kNone, "btnExit4"},
    {kMtrProgress, kTabInstalling, K::kProgressBar, 392, 14, 38, 173, "", kNone, "mtrProgress"},

    // Complete
    {kLabel7, kTabInstalled, K::kLabel, 16, 22, 257, 59, "Installation Complete.", kWordWrap,
     "Label7"},
    {kChkRunProgram, kTabInstalled, K::kCheckBox, 160, 96, 145, 25, "Run Program",
     kChecked | kFocusable, "chkRunProgram"},
    {kBevel7, kTabInstalled, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "",
     kNone, "Bevel7"},
    {kBtnComplete, kTabInstalled, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize,
     kButtonSize, "OK", kNone, "btnComplete"},
    {kProgressBar1, kTabInstalled, K::kProgressBar, 392, 14, 38, 173, "", kNone, "ProgressBar1"},

    // Uninstall
    {kLabUninstall, kTabUninstall, K::kLabel, 16, 22, 345, 91, "", kWordWrap, "labUninstall"},
    {kBevel8, kTabUninstall, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "",
     kNone, "Bevel8"},
    {kBtnUninstall, kTabUninstall, K::kImageButton, kForwardLeft, kButtonTop, kButtonSize,
     kButtonSize, "Uninstall", kNone, "btnUninstall"},
    {kBtnCancel, kTabUninstall, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize,
     kButtonSize, "Exit", kNone, "btnCancel"},
    {kLabel2, kTabUninstall, K::kLabel, 16, 226, 313, 25, kFooter, kDisabled, "Label2"},

    // Uninstalled
    {kLabTraces, kTabUninstalled, K::kLabel, 16, 78, 361, 59, "", kWordWrap, "labTraces"},
    {kLabUninstall2, kTabUninstalled, K::kLabel, 16, 22, 361, 67, "", kWordWrap,
     "labUninstall2"},
    {kBevel9, kTabUninstalled, K::kBevelRule, kRuleLeft, kRuleTop, kRuleWidth, kRuleHeight, "",
     kNone, "Bevel9"},
    {kBtnUninstallExit, kTabUninstalled, K::kImageButton, kFinalLeft, kButtonTop, kButtonSize,
     kButtonSize, "OK", kNone, "btnUninstallExit"},
    {kMtrUninstall, kTabUninstalled, K::kProgressBar, 392, 14, 38, 173, "", kNone,
     "mtrUninstall"},
};
// clang-format on
const size_t kControlCount = sizeof(kControls) / sizeof(kControls[0]);

const ControlSpec* FindControl(int id) {
  for (const ControlSpec& spec : kControls) {
    if (spec.id == id) return &spec;
  }
  return nullptr;
}

const ButtonImageSpec kButtonImages[] = {
    {kBtnShowLicense, kImageForward}, {kBtnExit, kImageExit},          {kBtnAccept, kImageForward},
    {kBtnExit2, kImageExit},          {kBtnGoInstall, kImageStart},    {kBtnExit3, kImageExit},
    {kBtnExit4, kImageExit},          {kBtnComplete, kImageDone},      {kBtnUninstall, kImageStart},
    {kBtnCancel, kImageExit},         {kBtnUninstallExit, kImageDone},
};
const size_t kButtonImageAssignments = sizeof(kButtonImages) / sizeof(kButtonImages[0]);

const ProgressSpec kProgressBars[] = {
    {kMtrProgress, 100, 50, 1},
    {kProgressBar1, 100, 100, 1},
    {kMtrUninstall, 100, 0, 1},
};
const size_t kProgressBarCount = sizeof(kProgressBars) / sizeof(kProgressBars[0]);

}  // namespace tidemark::layout
