// Start-up loading: finding the container in the executable image,
// descrambling it and parsing its control information.
#pragma once

#include <cstdint>
#include <string>

#include "container/control_info.h"
#include "container/exe_image.h"

namespace tidemark {

// Searches `source` from `position` for the first occurrence of `marker`.
// On success `position` is the marker's offset plus 1 and the source stands
// there. Without a match the scan runs to the end of the data.
bool FindMarker(const std::string& marker, ByteSource& source, int64_t& position);

// True when a file name (without folder) is "uninstall.exe" after turning
// A to Z into lower case.
bool IsUninstallerFileName(const std::string& file_name);

// Makes `image` descramble what is read from its position to its end (the
// stored bytes stay as they are) and leaves it at its end. Raises
// LoadError(kChecksum) when the XOR of the plain bytes is not 0, unless
// `running_file_name` is the uninstaller's name. Up to `signing_padding`
// bytes at the end that are stored as 0 may be left out of the sum: signing
// pads the file with zero bytes so that its certificate table starts on a
// multiple of 8.
void DescramblePayload(ExeImage& image, const std::string& running_file_name,
                       size_t signing_padding = 0);

// Parses the control information from `source`, whose position stands on the
// start marker's second byte (= next_offset). Returns whether the end marker
// was found; next_offset then is the offset just after its last byte.
bool ParseControlInfo(ByteSource& source, int64_t& next_offset, ControlInfo& info);

// Steps of start-up from the marker search to DataStart, in order. Raises a
// LoadError of the first three kinds. A signed image ends, for everything
// that follows, where its certificate table begins.
struct ContainerHead {
  bool scrambled = false;
  int64_t data_start = 0;  // first item: just past the end marker and its CR LF
};
ContainerHead LoadContainerHead(ExeImage& image, const std::string& running_file_name,
                                ControlInfo& info);

}  // namespace tidemark
