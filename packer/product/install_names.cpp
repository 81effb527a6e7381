#include "packer/product/install_names.h"

namespace tidemark {
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

std::string FileNameFault(const std::string& name, LeadBytePredicate is_lead_byte, int code_page) {
  if (HasControlCharacter(name))
    return "the name holds a control character, which the installer drops";
  if (name.find_first_of("<>") != std::string::npos) {
    return "the name holds \"<\" or \">\", which a file line cannot carry";
  }
  const NameCheck check = CheckRelativeName(name, is_lead_byte, code_page);
  switch (check.fault) {
    case NameFault::kNotBelow:
      return "the name does not stay in the install folder: it names a drive or a stream, has a "
             "\".\" or \"..\" part or ends inside a double-byte character";
    case NameFault::kNotPlain:
      return "the name is not a plain relative name: it is empty or absolute, has an empty part "
             "or holds a character Windows forbids";
    case NameFault::kDeviceName:
      return Quoted(std::string(check.component)) + " is a Windows device name";
    case NameFault::kTrailingDotOrBlank:
      return "a name part ends with \".\" or a blank, which Windows drops";
    case NameFault::kNone:
      break;
  }
  return {};
}

}  // namespace tidemark
