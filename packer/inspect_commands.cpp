#include "packer/inspect_commands.h"

#include <filesystem>
#include <iomanip>
#include <system_error>

#include "container/errors.h"
#include "container/file_sink.h"
#include "packer/installer_reader.h"
#include "packer/product_checks.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

void PrintItem(std::ostream& out, const std::string& label, const ItemExtent& extent) {
  out << "  " << std::left << std::setw(28) << label << std::right << " offset " << std::setw(11)
      << extent.start << "  stored " << std::setw(11) << extent.end - extent.start << "  content "
      << std::setw(11) << extent.content_size << "\n";
}

std::string FileLabel(const FileLine& line) { return line.key + " " + line.name; }

std::string SignatureText(const CertificateTable& table) {
  return "signed (certificate table of " + std::to_string(table.size) + " bytes at offset " +
         std::to_string(table.start) + ")";
}

// Where a file item goes below `folder`; "\" and "/" both separate parts.
fs::path ExtractPath(const fs::path& folder, const std::string& name) {
  fs::path path = folder;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find_first_of("\\/", start);
    const std::string part = name.substr(start, end - start);
    if (!part.empty() && part != ".") path /= part;
    if (end == std::string::npos) return path;
    start = end + 1;
  }
}

void ExtractOne(InstallerReader& reader, const fs::path& path) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error) throw Error("cannot create the folder \"" + path.parent_path().string() + "\": " + error.message());
  const std::string target = path.string();
  try {
    const std::unique_ptr<FileSink> file = CreateFileSink(target);
    reader.ReadNextFile(*file);
    file->Close();
  } catch (...) {
    fs::remove(target, error);  // leave no half-written file behind
    throw;
  }
}

}  // namespace

void ListInstaller(const std::string& path, std::ostream& out) {
  InstallerReader reader(path);
  const HeadWalk& head = reader.head();
  out << (head.head.scrambled ? "Scrambled" : "Plain") << " container; control information:\n";
  for (const std::string& line : reader.control_info().lines()) out << "  " << line << "\n";
  out << "Items:\n";
  if (head.splash) PrintItem(out, "splash", *head.splash);
  if (head.icon) PrintItem(out, "icon", *head.icon);
  PrintItem(out, "about text", head.about);
  PrintItem(out, "licence text", head.licence);
  DiscardSink discard;
  for (const FileLine& line : reader.files()) {
    out.flush();  // what was listed stays listed if the next item is damaged
    PrintItem(out, FileLabel(line), reader.ReadNextFile(discard));
  }
  out << "DataStart " << head.head.data_start << "\n";
  out << "PayloadStart " << head.payload_start << "\n";
  if (reader.signature()) out << "Signature: " << SignatureText(*reader.signature()) << "\n";
}

void VerifyInstaller(const std::string& path, std::ostream& out) {
  InstallerReader reader(path);
  DiscardSink discard;
  while (!reader.done()) reader.ReadNextFile(discard);
  const int64_t tail = reader.size() - reader.position();
  out << path << ": sound; " << reader.files().size() << " file item(s)";
  if (reader.head().head.scrambled) out << ", scrambled, checksum 0";
  if (tail > 0) out << ", " << tail << " byte(s) after the last item";
  if (reader.signature()) out << ", " << SignatureText(*reader.signature());
  out << "\n";
}

void ExtractInstaller(const std::string& path, const std::string& folder, std::ostream& out) {
  InstallerReader reader(path);
  for (const FileLine& line : reader.files()) {
    CheckRelativePath("file line " + line.key + ": name", line.name);
  }
  for (const FileLine& line : reader.files()) {
    const fs::path target = ExtractPath(folder, line.name);
    ExtractOne(reader, target);
    out << target.string() << "\n";
  }
}

}  // namespace tidemark
