// The four images of the installer's page buttons: glossy 32 x 32 tiles with
// a black symbol. The program that draws them is run by hand; its output is
// kept in this folder as btn0.bmp .. btn3.bmp.
#pragma once

#include "resources/buttons/canvas.h"

namespace tidemark {

inline constexpr int kButtonImageSize = 32;

enum class TileTone { kGrey, kBlue };
enum class ButtonSymbol { kForwardTriangle, kBoxedCross, kCheckMark };

struct ButtonImageSpec {
  const char* file_name;
  TileTone tone;
  ButtonSymbol symbol;
};

// In image-list order: forward, start the work, leave, final OK.
inline constexpr ButtonImageSpec kButtonImages[] = {
    {"btn0.bmp", TileTone::kGrey, ButtonSymbol::kForwardTriangle},
    {"btn1.bmp", TileTone::kBlue, ButtonSymbol::kForwardTriangle},
    {"btn2.bmp", TileTone::kGrey, ButtonSymbol::kBoxedCross},
    {"btn3.bmp", TileTone::kBlue, ButtonSymbol::kCheckMark},
};

Canvas DrawButtonImage(const ButtonImageSpec& spec);

}  // namespace tidemark
