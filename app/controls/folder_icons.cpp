#include "app/controls/folder_icons.h"

#include <initializer_list>
#include <vector>

#include "system/gdi_handles.h"

namespace tidemark {
namespace {

using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;

constexpr COLORREF kFolderLine = RGB(128, 96, 16);
constexpr COLORREF kFolderBack = RGB(224, 176, 64);
constexpr COLORREF kFolderFront = RGB(255, 216, 112);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kPaperLine = RGB(96, 96, 96);
constexpr COLORREF kCaseLine = RGB(64, 64, 64);
constexpr COLORREF kCase = RGB(192, 192, 192);
constexpr COLORREF kCaseLight = RGB(224, 224, 224);
constexpr COLORREF kLamp = RGB(0, 192, 0);
constexpr COLORREF kDisc = RGB(208, 212, 228);
constexpr COLORREF kChip = RGB(32, 128, 64);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Shapes in icon coordinates (0 to 15), each filled and outlined.
class IconPencil {
 public:
  IconPencil(HDC dc, int left, int top) : dc_(dc), left_(left), top_(top) {}

  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF line) {
    Outlined(fill, line, [&] { Rectangle(dc_, left_ + l, top_ + t, left_ + r, top_ + b); });
  }

  void Oval(int l, int t, int r, int b, COLORREF fill, COLORREF line) {
    Outlined(fill, line, [&] { Ellipse(dc_, left_ + l, top_ + t, left_ + r, top_ + b); });
  }

  void Shape(std::initializer_list<POINT> corners, COLORREF fill, COLORREF line) {
    std::vector<POINT> points;
    for (POINT corner : corners) points.push_back({left_ + corner.x, top_ + corner.y});
    Outlined(fill, line, [&] { Polygon(dc_, points.data(), static_cast<int>(points.size())); });
  }

  void Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    SelectScope use_pen(dc_, pen.get());
    MoveToEx(dc_, left_ + x1, top_ + y1, nullptr);
    LineTo(dc_, left_ + x2, top_ + y2);
  }

 private:
  template <typename Draw>
  void Outlined(COLORREF fill, COLORREF line, Draw draw) {
    UniquePen pen(CreatePen(PS_SOLID, 1, line));
    UniqueBrush brush(CreateSolidBrush(fill));
    SelectScope use_pen(dc_, pen.get());
    SelectScope use_brush(dc_, brush.get());
    draw();
  }

  HDC dc_;
  int left_;
  int top_;
};

void DrawClosedFolder(IconPencil& pencil) {
  pencil.Shape({{1, 2}, {6, 2}, {8, 4}, {14, 4}, {14, 13}, {1, 13}}, kFolderBack, kFolderLine);
  pencil.Box(1, 5, 15, 14, kFolderFront, kFolderLine);
}

// The back of the folder, then (for the current folder) a sheet of paper
// standing in it, then the front flap opened towards the viewer.
void DrawOpenFolder(IconPencil& pencil, bool with_paper) {
  pencil.Shape({{1, 2}, {6, 2}, {8, 4}, {13, 4}, {13, 13}, {1, 13}}, kFolderBack, kFolderLine);
  if (with_paper) pencil.Box(4, 1, 12, 10, kPaper, kPaperLine);
  pencil.Shape({{3, 7}, {15, 7}, {12, 13}, {0, 13}}, kFolderFront, kFolderLine);
}

void DrawDriveCase(IconPencil& pencil, int top) {
  pencil.Box(1, top, 15, top + 7, kCase, kCaseLine);
  pencil.Line(2, top + 1, 14, top + 1, kCaseLight);
  pencil.Box(11, top + 4, 13, top + 5, kLamp, kLamp);
}

}  // namespace

void DrawFolderIcon(HDC dc, int left, int top, FolderIcon icon) {
  IconPencil pencil(dc, left, top);
  switch (icon) {
    case FolderIcon::kClosed:
      DrawClosedFolder(pencil);
      break;
    case FolderIcon::kOpen:
      DrawOpenFolder(pencil, false);
      break;
    case FolderIcon::kCurrent:
      DrawOpenFolder(pencil, true);
      break;
  }
}

void DrawDriveIcon(HDC dc, int left, int top, DriveKind kind) {
  IconPencil pencil(dc, left, top);
  switch (kind) {
    case DriveKind::kFixed:
      DrawDriveCase(pencil, 5);
      break;
    case DriveKind::kRemovable:
      pencil.Box(1, 5, 15, 12, kCaseLight, kCaseLine);
      pencil.Box(4, 7, 12, 9, kBlack, kBlack);
      break;
    case DriveKind::kNetwork:
      DrawDriveCase(pencil, 1);
      pencil.Line(8, 8, 8, 13, kCaseLine);
      pencil.Line(2, 13, 15, 13, kCaseLine);
      break;
    case DriveKind::kCdRom:
      pencil.Oval(1, 1, 15, 15, kDisc, kCaseLine);
      pencil.Oval(6, 6, 10, 10, kPaper, kCaseLine);
      break;
    case DriveKind::kRamDisk:
      pencil.Box(2, 4, 14, 11, kChip, kBlack);
      for (int x = 3; x < 14; x += 3) pencil.Line(x, 11, x, 14, kCaseLine);
      break;
  }
}

}  // namespace tidemark
