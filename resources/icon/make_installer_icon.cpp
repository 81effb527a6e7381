// make_installer_icon STUB_ICON SAMPLE_ICON
// Draws the bare stub's icon and the sample product's installer icon at
// every size and writes each as one Windows icon file. Run by hand (or
// through the "installer_icon" target) when the pictures should change; the
// build uses the committed files.
#include <cstdio>
#include <exception>
#include <vector>

#include "resources/buttons/bmp_file.h"
#include "resources/icon/installer_icon_art.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s STUB_ICON SAMPLE_ICON\n", argv[0]);
    return 2;
  }
  try {
    const tidemark::IconTone tones[] = {tidemark::IconTone::kStubBlue,
                                        tidemark::IconTone::kSampleAmber};
    for (int i = 0; i < 2; ++i) {
      std::vector<tidemark::Canvas> images;
      for (int size : tidemark::kInstallerIconSizes)
        images.push_back(tidemark::DrawInstallerIcon(size, tones[i]));
      tidemark::WriteFileBytes(tidemark::EncodeIconFile(images), argv[1 + i]);
      std::printf("%s\n", argv[1 + i]);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_installer_icon: %s\n", error.what());
    return 1;
  }
  return 0;
}
