#include "system/drives.h"

#include <windows.h>

#include <string>

namespace tidemark {

DriveKind DriveKindOf(unsigned drive_type) {
  switch (drive_type) {
    case DRIVE_REMOVABLE:
      return DriveKind::kRemovable;
    case DRIVE_REMOTE:
      return DriveKind::kNetwork;
    case DRIVE_CDROM:
      return DriveKind::kCdRom;
    case DRIVE_RAMDISK:
      return DriveKind::kRamDisk;
    default:
      return DriveKind::kFixed;
  }
}

std::vector<Drive> PresentDrives() {
  std::vector<Drive> drives;
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((present & (1u << i)) == 0) continue;
    const char letter = static_cast<char>('A' + i);
    const std::string root = std::string(1, letter) + ":\\";
    drives.push_back({letter, DriveKindOf(GetDriveTypeA(root.c_str()))});
  }
  return drives;
}

}  // namespace tidemark
