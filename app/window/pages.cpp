// The pages of PageControl1: exactly one is visible at a time.
#include "app/window/install.h"
#include "resources/layout.h"

namespace tidemark {

void TfrmInstall::ShowPage(ids::ControlId page) {
  HWND shown = Control(page);
  if (shown == nullptr) return;
  // Show the new page before hiding the old one, so that nothing of the
  // empty page control flashes in between.
  ShowWindow(shown, SW_SHOW);
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const layout::ControlSpec& spec = layout::kControls[i];
    if (spec.kind == layout::Kind::kPage && spec.id != page) {
      HWND other = Control(spec.id);
      if (other != nullptr) ShowWindow(other, SW_HIDE);
    }
  }
  active_page_ = page;
  // The focus must not stay on a control of a hidden page.
  HWND focus = GetFocus();
  if (focus != nullptr && !IsWindowVisible(focus)) SetFocus(Control(ids::kPanIcon));
}

}  // namespace tidemark
