// Start-up: FormCreate and its steps, in the order they run.
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/controls/flat_button.h"
#include "app/controls/message_box.h"
#include "app/controls/picture_control.h"
#include "app/controls/rich_text_view.h"
#include "app/report/step_report.h"
#include "app/steps/startup.h"
#include "app/window/button_images.h"
#include "app/window/install.h"
#include "resources/layout.h"

namespace tidemark {
namespace {

// Start-up's messages, each in a box owned by the window.
class BoxReport : public StepReport {
 public:
  explicit BoxReport(HWND owner) : owner_(owner) {}
  BoxButton Message(BoxKind kind, const std::string& text,
                    std::vector<BoxButton> buttons) override {
    return ShowMessage(owner_, kind, text, std::move(buttons));
  }

 private:
  HWND owner_;
};

}  // namespace

void TfrmInstall::FormCreate() {
  if (!LoadContainer()) return;
  LoadHeadImages();
  ShowHeaderTexts();
  try {
    ProposeInstallFolder();
  } catch (const std::exception&) {
    // On purpose: a folder that cannot be proposed leaves the folder line
    // empty, and start-up goes on.
  }
  // A failure from here on leaves FormCreate at once and is shown by the
  // default error report; the window still opens.
  LoadTexts();
  TestUninstallMode();
}

// Everything up to the parsed control information. A failure in any of
// these steps is fatal: it is shown as one of the four damaged-installer
// messages and the program ends without the window ever being shown.
bool TfrmInstall::LoadContainer() {
  const std::optional<std::string> failure = LoadFailureOf([this] {
    ChooseFonts();
    ShowPage(ids::kTabIntro);
    AssignButtonImages();
    LookUpFolders(session.folders);
    BoxReport report(handle());
    OpenContainer(session.installer, report);
  });
  if (!failure) return true;
  ShowMessage(handle(), BoxKind::kError, *failure, {BoxButton::kAbort});
  RequestProgramEnd();
  return false;
}

void TfrmInstall::ChooseFonts() {
  if (!FontFamilyInstalled(layout::kUiFontName)) return;  // the design fonts stay
  font_choice_ = ChooseWindowFont(FontFamilyInstalled);
  WindowFonts fonts = CreateWindowFonts(font_choice_, dpi_);
  ApplyFonts(fonts);
  fonts_ = std::move(fonts);  // the controls no longer use the old ones
}

void TfrmInstall::AssignButtonImages() {
  for (size_t i = 0; i < layout::kButtonImageAssignments; ++i) {
    const layout::ButtonImageSpec& assignment = layout::kButtonImages[i];
    HWND button = Control(assignment.button);
    if (button != nullptr) SetFlatButtonImage(button, button_images_.get(), assignment.image);
  }
}

void TfrmInstall::LoadHeadImages() {
  ReadHeadImages(session.installer, [this](HeadItem image, const RgbImage& picture) {
    SetPictureImage(Control(image == HeadItem::kSplash ? ids::kImgSplash : ids::kImgIcon), picture);
  });
}

void TfrmInstall::ShowHeaderTexts() {
  const LoadedInstaller& installer = session.installer;
  SetControlText(ids::kLabTitle, installer.app_name);
  SetControlText(ids::kLabCompany, installer.app_company);
  SetControlText(ids::kLabWelcome, "Welcome.  This program will install " + installer.app_name +
                                       ".  It is recommended that you exit all other programs" +
                                       " before continuing.");
}

void TfrmInstall::LoadTexts() {
  ReadHeadTexts(session.installer, [this](HeadItem text, const std::vector<uint8_t>& rich_text) {
    LoadRichText(Control(text == HeadItem::kAbout ? ids::kRichAbout : ids::kRichLicense),
                 rich_text);
  });
}

}  // namespace tidemark
