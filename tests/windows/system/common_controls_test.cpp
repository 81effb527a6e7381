#include "system/common_controls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "system/handles.h"

namespace tidemark {
namespace {

// The installer's manifest as an activation context, active for the scope,
// as it is for the whole installer process.
class InstallerManifestContext {
 public:
  InstallerManifestContext() {
    ACTCTXA context{};
    context.cbSize = sizeof(context);
    context.lpSource = TIDEMARK_STUB_MANIFEST;
    context_ = CreateActCtxA(&context);
    if (context_ != INVALID_HANDLE_VALUE) ActivateActCtx(context_, &cookie_);
  }
  ~InstallerManifestContext() {
    if (cookie_ != 0) DeactivateActCtx(0, cookie_);
    if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
  }
  InstallerManifestContext(const InstallerManifestContext&) = delete;
  InstallerManifestContext& operator=(const InstallerManifestContext&) = delete;
  bool active() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

std::string LowerFileName(HMODULE module) {
  char name[MAX_PATH] = "";
  GetModuleFileNameA(module, name, MAX_PATH);
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

TEST(CommonControls, LoadsVersionSixFromTheSideBySideStoreUnderTheManifest) {
  const InstallerManifestContext manifest;
  ASSERT_TRUE(manifest.active());
  const CommonControlsLibrary library = LoadCommonControls();
  ASSERT_TRUE(library.module);
  // Windows names the version in the store's folder, as Wine does.
  EXPECT_NE(LowerFileName(library.module.get()).find("common-controls_6595b64144ccf1df_6.0."),
            std::string::npos)
      << LowerFileName(library.module.get());
  for (const void* function : {reinterpret_cast<const void*>(library.init_common_controls_ex),
                               reinterpret_cast<const void*>(library.image_list_create),
                               reinterpret_cast<const void*>(library.image_list_add),
                               reinterpret_cast<const void*>(library.image_list_destroy),
                               reinterpret_cast<const void*>(library.image_list_get_icon_size),
                               reinterpret_cast<const void*>(library.image_list_draw_indirect),
                               reinterpret_cast<const void*>(library.set_window_subclass),
                               reinterpret_cast<const void*>(library.remove_window_subclass),
                               reinterpret_cast<const void*>(library.def_subclass_proc)}) {
    EXPECT_NE(function, nullptr);
  }
}

}  // namespace
}  // namespace tidemark
