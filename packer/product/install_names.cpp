#include "packer/product/install_names.h"

namespace tidemark {
namespace {

bool IsDeviceName(const std::string& part) {
  const std::string stem = FoldCase(part.substr(0, part.find('.')), nullptr);
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string FoldCase(std::string text, LeadBytePredicate is_lead_byte) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (is_lead_byte != nullptr && is_lead_byte(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return text;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20) return true;
  }
  return false;
}

std::vector<std::string> SplitParts(const std::string& name, LeadBytePredicate is_lead_byte) {
  std::vector<std::string> parts;
  std::string_view rest = name;
  for (;;) {
    const size_t end = FirstBackslash(rest, is_lead_byte);
    parts.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) return parts;
    rest.remove_prefix(end + 1);
  }
}

// The folders that hold the files, each as a name below the install folder.
std::set<std::string> FoldersOf(const std::vector<ProductFile>& files,
                                LeadBytePredicate is_lead_byte) {
  std::set<std::string> folders;
  for (const ProductFile& file : files) {
    std::string folder;
    const std::vector<std::string> parts = SplitParts(file.name, is_lead_byte);
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      folder += (i ? "\\" : "") + parts[i];
      folders.insert(FoldCase(folder, is_lead_byte));
    }
  }
  return folders;
}

std::string FileNameFault(const std::string& name, LeadBytePredicate is_lead_byte) {
  if (HasControlCharacter(name))
    return "the name holds a control character, which the installer drops";
  if (name.find_first_of("<>") != std::string::npos) {
    return "the name holds \"<\" or \">\", which a file line cannot carry";
  }
  if (!IsSafeRelativeName(name, is_lead_byte)) {
    return "the name is not a plain relative name: it is absolute, names a drive, has an empty, "
           "\".\" or "
           "\"..\" part, holds a character Windows forbids or ends inside a double-byte character";
  }
  for (const std::string& part : SplitParts(name, is_lead_byte)) {
    if (IsDeviceName(part)) return Quoted(part) + " is a Windows device name";
    if (part.back() == '.' || part.back() == ' ') {
      return "a name part ends with \".\" or a blank, which Windows drops";
    }
  }
  return {};
}

}  // namespace tidemark
