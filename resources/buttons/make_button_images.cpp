// make_button_images OUTPUT_FOLDER
// Draws the installer's four button images into OUTPUT_FOLDER. Run by hand
// (or through the "button_images" target) when the pictures should change;
// the build uses the committed files.
#include <cstdio>
#include <exception>
#include <string>

#include "resources/buttons/bmp_file.h"
#include "resources/buttons/button_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    for (const tidemark::ButtonImageSpec& spec : tidemark::kButtonImages) {
      const std::string path = std::string(argv[1]) + "/" + spec.file_name;
      tidemark::WriteBmp32(tidemark::DrawButtonImage(spec), path);
      std::printf("%s\n", path.c_str());
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_button_images: %s\n", error.what());
    return 1;
  }
  return 0;
}
