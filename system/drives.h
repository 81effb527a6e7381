// The drives present on the system, for the drive selector.
#pragma once

#include <vector>

namespace tidemark {

enum class DriveKind { kRemovable, kFixed, kNetwork, kCdRom, kRamDisk };

struct Drive {
  char letter;  // "A" to "Z"
  DriveKind kind;
};

// The kind of drive for a GetDriveTypeA answer; a drive of unknown type is
// shown as a fixed one.
DriveKind DriveKindOf(unsigned drive_type);

// Every drive present (GetLogicalDrives), in letter order.
std::vector<Drive> PresentDrives();

}  // namespace tidemark
