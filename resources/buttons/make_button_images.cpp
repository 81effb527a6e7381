// make_button_images OUTPUT_FOLDER
// Draws the installer's four button images into OUTPUT_FOLDER: each as a
// bitmap file btn0.bmp .. btn3.bmp (to look at, and the reference the tests
// compare with), and all four pixel areas in list order as one zlib stream,
// buttons.z, which is what the stub carries (a sixth of the bitmaps' size).
// Run by hand (or through the "button_images" target) when the pictures
// should change; the build uses the committed files.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "codecs/block_deflate.h"
#include "resources/buttons/bmp_file.h"
#include "resources/buttons/button_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const std::string folder = argv[1];
    std::vector<uint8_t> all_pixels;
    for (const tidemark::ButtonImageSpec& spec : tidemark::kButtonImages) {
      const std::string path = folder + "/" + spec.file_name;
      const std::vector<uint8_t> bmp = tidemark::EncodeBmp32(tidemark::DrawButtonImage(spec));
      tidemark::WriteFileBytes(bmp, path);
      all_pixels.insert(all_pixels.end(), bmp.begin() + tidemark::kBmp32PixelOffset, bmp.end());
      std::printf("%s\n", path.c_str());
    }
    const std::string packed_path = folder + "/buttons.z";
    tidemark::WriteFileBytes(tidemark::ZlibStreamOf(all_pixels.data(), all_pixels.size(), 9),
                             packed_path);
    std::printf("%s\n", packed_path.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_button_images: %s\n", error.what());
    return 1;
  }
  return 0;
}
