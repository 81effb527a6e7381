#include "packer/cli/inspect_commands.h"

#include <filesystem>
#include <iomanip>
#include <system_error>
#include <vector>

#include "container/errors.h"
#include "packer/build/installer_reader.h"
#include "packer/build/output_file.h"
#include "packer/product/code_page.h"
#include "packer/product/install_names.h"
#include "packer/stub/stub_check.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

// `label` (UTF-8) padded with blanks to 28 characters.
std::string Padded(std::string label) {
  size_t characters = 0;
  for (char c : label) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (characters < 28) label.append(28 - characters, ' ');
  return label;
}

void PrintItem(std::ostream& out, const std::string& label, const ItemExtent& extent) {
  out << "  " << Padded(label) << " offset " << std::setw(11) << extent.start << "  stored "
      << std::setw(11) << extent.end - extent.start << "  content " << std::setw(11)
      << extent.content_size << "\n";
}

// The parts of a file line's name; "\" and "/" both separate, and neither
// does as the second byte of a double-byte character.
std::vector<std::string> NameParts(const std::string& name, LeadBytePredicate is_lead_byte) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (is_lead_byte != nullptr && is_lead_byte(byte) && i + 1 < name.size()) {
      parts.back() += name.substr(i++, 2);
    } else if (byte == '\\' || byte == '/') {
      parts.emplace_back();
    } else {
      parts.back() += name[i];
    }
  }
  return parts;
}

std::string SignatureText(const CertificateTable& table) {
  return "signed (certificate table of " + std::to_string(table.size) + " bytes at offset " +
         std::to_string(table.start) + ")";
}

// Where a file item goes below `folder`, in UTF-8.
fs::path ExtractPath(const fs::path& folder, const std::string& name, const CodePage& code_page) {
  fs::path path = folder;
  for (const std::string& part : NameParts(name, code_page.lead_byte()))
    path /= fs::u8path(code_page.ToUtf8(part));
  return path;
}

// Raises Error for the first file line whose name extract would refuse.
void CheckFileLineNames(const InstallerReader& reader, const CodePage& code_page) {
  for (const FileLine& line : reader.files()) {
    const std::string fault = FileNameFault(line.name, code_page.lead_byte(), code_page.number());
    if (!fault.empty()) {
      throw Error("file line " + line.key + ": name \"" + code_page.ToUtf8(line.name) +
                  "\": " + fault);
    }
  }
}

void ExtractOne(InstallerReader& reader, const fs::path& path) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error)
    throw Error("cannot create the folder \"" + path.parent_path().string() +
                "\": " + error.message());
  OutputFile output(path.string());
  reader.ReadNextFile(output.sink());
  output.Commit();
}

}  // namespace

// On purpose: a missing or unknown code page is no fault; the installer
// itself never reads it, so an installer without it is still read back.
CodePage CodePageOf(const ControlInfo& info) {
  try {
    return CodePage(StrToInt(info.Value(kCodePageKey)));
  } catch (const Error&) {
    return CodePage(kDefaultCodePage);
  }
}

void ListInstaller(const std::string& path, std::ostream& out) {
  InstallerReader reader(path);
  const CodePage code_page = CodePageOf(reader.control_info());
  const HeadWalk& head = reader.head();
  out << (head.head.scrambled ? "Scrambled" : "Plain") << " container; control information:\n";
  for (const std::string& line : reader.control_info().lines())
    out << "  " << code_page.ToUtf8(line) << "\n";
  out << "Items:\n";
  if (head.splash) PrintItem(out, "splash", *head.splash);
  if (head.icon) PrintItem(out, "icon", *head.icon);
  PrintItem(out, "about text", head.about);
  PrintItem(out, "licence text", head.licence);
  DiscardSink discard;
  for (const FileLine& line : reader.files()) {
    // On purpose: flushed per item, so that what was listed stays listed
    // when the next item turns out damaged.
    out.flush();
    PrintItem(out, line.key + " " + code_page.ToUtf8(line.name), reader.ReadNextFile(discard));
  }
  out << "DataStart " << head.head.data_start << "\n";
  out << "PayloadStart " << head.payload_start << "\n";
  if (reader.signature()) out << "Signature: " << SignatureText(*reader.signature()) << "\n";
}

void VerifyInstaller(const std::string& path, std::ostream& out) {
  InstallerReader reader(path);
  const std::string stub_fault = BareStubFault(reader.StubBytes(), StubPlace::kInInstaller);
  if (!stub_fault.empty())
    throw Error("the stub before the container is no bare installer stub: " + stub_fault);
  CheckFileLineNames(reader, CodePageOf(reader.control_info()));
  DiscardSink discard;
  while (!reader.done()) reader.ReadNextFile(discard);
  const int64_t tail = reader.size() - reader.position();
  out << path << ": sound; " << reader.files().size() << " file item(s)";
  if (reader.head().head.scrambled) out << ", scrambled, checksum 0";
  if (tail > 0) out << ", " << tail << " byte(s) after the last item";
  if (reader.signature()) out << ", " << SignatureText(*reader.signature());
  out << "\n";
}

void ExtractInstaller(const std::string& path, const std::string& folder, bool force,
                      std::ostream& out) {
  if (folder.empty()) throw Error("the folder to extract into is empty");
  InstallerReader reader(path);
  const CodePage code_page = CodePageOf(reader.control_info());
  CheckFileLineNames(reader, code_page);
  std::vector<fs::path> targets;
  for (const FileLine& line : reader.files()) {
    targets.push_back(ExtractPath(folder, line.name, code_page));
    std::error_code error;
    if (!force && fs::symlink_status(targets.back(), error).type() != fs::file_type::not_found) {
      throw Error("\"" + targets.back().string() +
                  "\" exists already; extract with --force to replace it");
    }
    CheckOutputPath(targets.back().string(), {path}, "");
  }
  for (const fs::path& target : targets) {
    ExtractOne(reader, target);
    out << target.string() << "\n";
  }
}

}  // namespace tidemark
