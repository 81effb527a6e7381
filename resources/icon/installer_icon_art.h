// The bare stub's own icon: a glossy blue tile like the wizard's buttons,
// with a black arrow going down into a tray (something being installed).
// Drawn at each size of the icon file rather than scaled from one picture,
// and stored as PNG images, which keep the stub small.
#pragma once

#include <cstdint>
#include <vector>

#include "container/rgb_image.h"

namespace tidemark {

inline constexpr int kInstallerIconSizes[] = {16, 32, 48};

// The tile's tone: the stub's blue, or the sample product's amber (its
// installer's own icon, samples/marrowlight/setup.ico).
enum class IconTone { kStubBlue, kSampleAmber };

RgbImage DrawInstallerIcon(int size, IconTone tone);

// A Windows icon file holding `images`, each as a PNG image.
std::vector<uint8_t> EncodeIconFile(const std::vector<RgbImage>& images);

}  // namespace tidemark
