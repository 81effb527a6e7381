// The product description: name=value lines naming what goes into one
// installer. Vendor keys are copied into the control information as written;
// the packer's own keys name the files it reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidemark {

// One vendor key, spelt as the control information writes it.
struct ProductSetting {
  std::string key;
  std::string value;
  int line = 0;  // 1-based line of the description that set it
};

struct ProductDescription {
  std::vector<ProductSetting> settings;  // in the order written

  // The packer's own keys: paths relative to the description's folder, as written.
  std::string splash_file;
  std::string icon_file;  // optional: no icon item when empty
  std::string about_file;
  std::string license_file;
  std::string files_folder;

  // Keys for the installer executable's icon and version (packer/setup_look.h).
  std::vector<ProductSetting> setup_settings;

  // The setting with this key, or nullptr.
  const ProductSetting* Find(std::string_view key) const;
};

// Parses the text of a description. Lines end with LF or CR LF; blank lines,
// lines starting with ";" or "#" and section headings "[...]" are ignored.
// Key names match regardless of ASCII case. Raises Error naming the line and
// key for unknown, repeated or malformed lines.
ProductDescription ParseProductDescription(std::string_view text);

// Reads and parses the file; packer paths are made relative to its folder.
ProductDescription LoadProductDescription(const std::string& path);

// "ShortcutName" + number and "ShortcutPath" + number, numbers from 1 without
// leading zeros; 0 when `key` is neither.
int ShortcutNumber(std::string_view key, std::string_view stem);

inline constexpr char kShortcutNameStem[] = "ShortcutName";
inline constexpr char kShortcutPathStem[] = "ShortcutPath";

}  // namespace tidemark
