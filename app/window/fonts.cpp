#include "app/window/fonts.h"

#include "resources/layout.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

struct FamilySearch {
  const std::string* family;
  bool found;
};

int CALLBACK OnFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM context) {
  auto* search = reinterpret_cast<FamilySearch*>(context);
  if (lstrcmpiA(font->lfFaceName, search->family->c_str()) == 0) {
    search->found = true;
    return 0;  // stop
  }
  return 1;
}

UniqueFont CreateFontOf(const FontChoice& choice, int weight, int dpi) {
  LOGFONTA font = {};
  font.lfHeight = -ScaleToDpi(choice.pixel_height, dpi);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(font.lfFaceName, choice.face.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&font));
}

}  // namespace

bool FontFamilyInstalled(const std::string& family) {
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, family.c_str(), LF_FACESIZE);
  FamilySearch search{&family, false};
  WindowDc screen(nullptr);
  EnumFontFamiliesExA(screen.get(), &wanted, OnFontFamily, reinterpret_cast<LPARAM>(&search), 0);
  return search.found;
}

FontChoice DesignFont() { return FontChoice{layout::kDesignFontName, layout::kDesignFontPixels}; }

FontChoice ChooseWindowFont(const std::function<bool(const std::string&)>& is_installed) {
  if (is_installed(layout::kUiFontName)) {
    return FontChoice{layout::kUiFontName, MulDiv(layout::kUiFontPoints, kDesignDpi, 72)};
  }
  return DesignFont();
}

WindowFonts CreateWindowFonts(const FontChoice& choice, int dpi) {
  WindowFonts fonts;
  fonts.regular = CreateFontOf(choice, FW_NORMAL, dpi);
  fonts.bold = CreateFontOf(choice, FW_BOLD, dpi);
  return fonts;
}

}  // namespace tidemark
