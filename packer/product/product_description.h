// The product description: name=value lines naming what goes into one
// installer, UTF-8 text. Vendor keys go into the control information (their
// values converted to the installer's code page); the packer's own keys name
// the files it reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "packer/product/problems.h"

namespace tidemark {

// One vendor key, spelt as the control information writes it.
struct ProductSetting {
  std::string key;
  std::string value;
  int line = 0;           // 1-based line of the description that set it; negative: a --set option
  bool unusable = false;  // its value could not be converted (already reported)
};

struct ProductDescription {
  std::vector<ProductSetting> settings;  // in the order written

  // The packer's own keys: paths relative to the description's folder, as written.
  std::vector<ProductSetting> packer_settings;  // where each was set
  std::string splash_file;
  std::string icon_file;  // optional: no icon item when empty
  std::string about_file;
  std::string license_file;
  std::string files_folder;
  // "full" (or empty): the uninstall entry gets the further values; "plain":
  // only the two every installer writes. Not a path.
  std::string uninstall_entry;

  // Keys for the installer executable's icon and version (packer/product/setup_look.h).
  std::vector<ProductSetting> setup_settings;

  // The setting with this key, or nullptr.
  const ProductSetting* Find(std::string_view key) const;
  // The company as Windows' lists name it (the version information's
  // CompanyName, the uninstall entry's Publisher): AppPublisher when given,
  // else AppCompany without the "by " the window's line starts with ("by
  // Brackwater" gives "Brackwater"). The setting it comes from, with that
  // value; an empty one when neither key has a value.
  ProductSetting Company() const;
  // Whether the installer gets the keys for the uninstall entry's further values.
  bool FullUninstallEntry() const;
  // The line that set this packer key (as spelt in packer_settings); 0 when none did.
  int PackerLine(std::string_view key) const;
};

// Parses the text of a description. A leading UTF-8 byte-order mark is
// passed over; lines end with LF or CR LF; blank lines, lines starting with
// ";" or "#" and section headings "[...]" are ignored; blanks around the
// first "=" and at the ends of a line belong to neither key nor value. Key
// names match regardless of ASCII case. Unknown, repeated or malformed
// lines and lines that are not UTF-8 go to `problems`, each with its line;
// a repeated key names the line that gave it first.
ProductDescription ParseProductDescription(std::string_view text, Problems& problems);
// The same, raising Error for the first problem ("product description, line N: ...").
ProductDescription ParseProductDescription(std::string_view text);

// Reads `set_options`, the build's --set texts ("KEY=VALUE"), into
// `description` as lines of the product file: each is checked as a line is
// (problems at SetOptionLine) and takes the place of the file's line for
// its key. A key given twice by --set is refused, as in the file.
void ApplySetOptions(ProductDescription& description, const std::vector<std::string>& set_options,
                     Problems& problems);

// Reads and parses the file, then applies `set_options`; packer paths are
// made relative to the file's folder. Raises Error when the file cannot be read.
ProductDescription LoadProductDescription(const std::string& path,
                                          const std::vector<std::string>& set_options,
                                          Problems& problems);

// "ShortcutName" + number and "ShortcutPath" + number, numbers from 1 without
// leading zeros; 0 when `key` is neither.
int ShortcutNumber(std::string_view key, std::string_view stem);

inline constexpr char kPlainUninstallEntry[] = "plain";

inline constexpr char kShortcutNameStem[] = "ShortcutName";
inline constexpr char kShortcutPathStem[] = "ShortcutPath";

}  // namespace tidemark
