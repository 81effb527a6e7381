#include "packer/cli/inspect_commands.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <system_error>
#include <vector>

#include "container/control_keys.h"
#include "container/errors.h"
#include "packer/build/installer_reader.h"
#include "packer/build/output_file.h"
#include "packer/cli/installer_opening.h"
#include "packer/product/code_page.h"
#include "packer/product/install_names.h"
#include "packer/stub/stub_check.h"
#include "packer/stub/stub_resources.h"
#include "rules/shortcut_plan.h"
#include "rules/uninstall_entry.h"

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

// "1.4.2.0" from the fixed part of a version resource (VS_FIXEDFILEINFO,
// found by its signature); empty when it has none.
std::string FixedFileVersion(const std::vector<uint8_t>& data) {
  static const uint8_t kSignature[] = {0xBD, 0x04, 0xEF, 0xFE};
  const auto found =
      std::search(data.begin(), data.end(), std::begin(kSignature), std::end(kSignature));
  const size_t at = static_cast<size_t>(found - data.begin());
  if (found == data.end() || data.size() - at < 16) return {};
  const auto word = [&](size_t offset) {
    return std::to_string(data[at + offset] | data[at + offset + 1] << 8);
  };
  return word(10) + "." + word(8) + "." + word(14) + "." + word(12);
}

// What an installation of this installer registers (install folder and date
// as placeholders), the installer's version information and icon, and the
// window's icon picture.
void PrintRegistration(std::ostream& out, const InstallerReader& reader,
                       const CodePage& code_page) {
  const ControlInfo& info = reader.control_info();
  const std::string folder = "<install folder>";
  const auto registration = PlanUninstallRegistration(info.Value(keys::kAppName), folder);
  if (!registration) {
    out << "Uninstall entry: none (no AppName)\n";
  } else {
    out << "Uninstall entry HKLM\\" << code_page.ToUtf8(registration->key_path) << ":\n";
    out << "  DisplayName = " << code_page.ToUtf8(registration->display_name) << "\n";
    out << "  UninstallString = " << code_page.ToUtf8(registration->uninstall_string) << "\n";
    for (const EntryValue& value : PlanUninstallDetails(info, folder, "<YYYYMMDD>")) {
      out << "  " << value.name << " = "
          << (value.number ? std::to_string(*value.number) + " (REG_DWORD)"
                           : code_page.ToUtf8(value.text))
          << "\n";
    }
  }
  std::string version = "none";
  size_t icon_images = 0;
  try {
    for (const Resource& resource : ReadStubResources(reader.StubBytes(), "the stub")) {
      if (resource.type == ResourceName::Id(kVersionType)) {
        const std::string number = FixedFileVersion(resource.data);
        if (!number.empty()) version = number;
      }
      icon_images += resource.type == ResourceName::Id(kIconType);
    }
  } catch (const Error& error) {
    version = std::string("unreadable: ") + error.what();
  }
  out << "Version information: " << version << "\n";
  out << "Icon: " << (icon_images ? std::to_string(icon_images) + " image(s)" : "none")
      << "; icon picture: "
      << (reader.head().icon ? std::to_string(reader.head().icon->content_size) + " bytes" : "none")
      << "\n";
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
  InstallerReader reader = OpenInstaller(path);
  const CodePage code_page = CodePageOf(reader.control_info());
  const HeadWalk& head = reader.head();
  out << (head.head.scrambled ? "Scrambled" : "Plain") << " container; control information:\n";
  for (const std::string& line : reader.control_info().lines())
    out << "  " << code_page.ToUtf8(line) << "\n";
  PrintRegistration(out, reader, code_page);
  out << "Items:\n";
  if (head.splash) PrintItem(out, "splash", *head.splash);
  if (head.icon) PrintItem(out, "icon", *head.icon);
  PrintItem(out, "about text", head.about);
  PrintItem(out, "licence text", head.licence);
  DiscardSink discard;
  const std::vector<FileLine> no_items;
  for (const FileLine& line : reader.IsUninstaller() ? no_items : reader.files()) {
    // On purpose: flushed per item, so that what was listed stays listed
    // when the next item turns out damaged.
    out.flush();
    PrintItem(out, line.key + " " + code_page.ToUtf8(line.name), reader.ReadNextFile(discard));
  }
  out << "DataStart " << head.head.data_start << "\n";
  out << "PayloadStart " << head.payload_start << "\n";
  if (reader.signature()) out << "Signature: " << SignatureText(*reader.signature()) << "\n";
  // On purpose: what the uninstaller carries is listed, and the command
  // still fails, as it does for any file that is no installer.
  if (reader.IsUninstaller()) throw Error(UninstallerMessage(path));
}

void VerifyInstaller(const std::string& path, std::ostream& out) {
  InstallerReader reader = OpenInstaller(path);
  if (reader.IsUninstaller()) throw Error(UninstallerMessage(path));
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
  PrintRegistration(out, reader, CodePageOf(reader.control_info()));
}

void ExtractInstaller(const std::string& path, const std::string& folder, bool force,
                      std::ostream& out) {
  if (folder.empty()) throw Error("the folder to extract into is empty");
  InstallerReader reader = OpenInstaller(path);
  if (reader.IsUninstaller()) throw Error(UninstallerMessage(path));
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
