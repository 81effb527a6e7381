// The container format. An installer is one file: the stub followed by its
// container, without gaps. No offset is stored anywhere; every part is
// found by reading the parts before it.
//
//   0             +-------------------------------------+
//                 | stub (the Windows program)          |  any length
//                 +-------------------------------------+
//                 | start marker "d>a>t>a>s>t>a>r>t"    |  17 bytes
//                 |  (scrambled: "d>a>t>a>c>r>y>p>t")   |
//                 | CR LF                               |  2
//                 | control information: name=value     |  any
//                 |  lines, each ended by CR LF         |
//                 | end marker "d>a>t>a>e>n>d"          |  13
//                 | CR LF                               |  2
//   DataStart     +-------------------------------------+
//                 | splash item (when Splash is set)    |  zlib stream
//                 | icon item (when Icon is set)        |  zlib stream
//                 | about text                          |  InfoAbout raw bytes
//                 | licence text                        |  InfoInstall raw bytes
//   PayloadStart  +-------------------------------------+
//                 | file items f1 .. fN (N = Filecount) |  one zlib stream each
//                 +-------------------------------------+
//                 | tail                                |  never read as an item
//   end of file   +-------------------------------------+
//
// A compressed item is exactly one zlib stream whose content is as long as
// the control information says; items carry no length of their own, so
// each begins where the one before ends. The uninstaller is bytes 0 to
// PayloadStart - 1 of the installer as stored. In a scrambled container
// every byte after the start marker is XORed with ScrambleKey, cycling,
// and the plain bytes after the marker XOR to 0, the tail included.
//
// The markers below are kept in pieces and joined at run time, so that no
// whole marker stands in any binary and the search of an executable for its
// container can never hit the program itself.
#pragma once

#include <cstddef>
#include <string>

namespace tidemark {

inline constexpr char MarkerPrefix[] = "d>a>t>a>";
inline constexpr char StartSuffix[] = "s>t>a>r>t";
inline constexpr char ScrambledSuffix[] = "c>r>y>p>t";
inline constexpr char EndSuffix[] = "e>n>d";

// Joined at run time: MarkerPrefix + suffix.
std::string StartMarker();           // plain container
std::string ScrambledStartMarker();  // scrambled container
std::string EndMarker();

inline constexpr size_t kStartMarkerLength = 17;
inline constexpr size_t kEndMarkerLength = 13;

inline constexpr char ScrambleKey[] = "q7mx2!wd;b9@kp:4ze8r~rtl3+h$w5%cju6sgy5fo1ai*e4wk";
inline constexpr size_t kScrambleKeyLength = 49;

// Input chunk of the decompressor, and the largest piece of a raw copy.
inline constexpr size_t kInflateChunk = 65536;
inline constexpr size_t kCopyPiece = 61440;

// Carried by the bare stub, so that the packer can tell it from any other
// program (the stub keeps it with a pointer that the linker cannot drop).
inline constexpr char kStubSignature[] = "Tidemark installer stub; container layout 1";

// The file name under which a scrambled uninstaller image is accepted
// although its checksum is not 0.
inline constexpr char kUninstallerName[] = "uninstall.exe";

}  // namespace tidemark
