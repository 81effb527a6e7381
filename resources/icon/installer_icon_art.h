// The bare stub's own icon: a glossy blue tile like the wizard's buttons,
// with a black arrow going down into a tray (something being installed).
// Drawn at each size of the icon file rather than scaled from one picture,
// and stored as PNG images, which keep the stub small.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/buttons/canvas.h"

namespace tidemark {

inline constexpr int kInstallerIconSizes[] = {16, 32, 48};

// The tile's tone: the stub's blue, or the sample product's amber (its
// installer's own icon, samples/marrowlight/setup.ico).
enum class IconTone { kStubBlue, kSampleAmber };

Canvas DrawInstallerIcon(int size, IconTone tone);

// A Windows icon file holding `images`, each as a PNG image with alpha
// (Wine shows 24-bit PNG icons with red and blue swapped).
std::vector<uint8_t> EncodeIconFile(const std::vector<Canvas>& images);

}  // namespace tidemark
