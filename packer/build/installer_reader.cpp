#include "packer/build/installer_reader.h"

#include <algorithm>

#include "container/errors.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "rules/file_entry.h"

namespace tidemark {
namespace {

std::string BaseName(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

FileLine ReadFileLine(const ControlInfo& info, int32_t index) {
  FileLine line;
  line.key = FileEntryKey(index);
  const std::string value = info.Value(line.key);
  if (value.empty()) throw Error("file line " + line.key + " is missing");
  const FileEntry entry = SplitFileEntry(value);
  line.name = entry.name;
  try {
    line.size = entry.Size();
  } catch (const Error& error) {
    throw Error("file line " + line.key + ": " + error.what());
  }
  if (line.size < 0)
    throw Error("file line " + line.key + ": size " + entry.size_text + " is negative");
  return line;
}

std::string ItemFault(const std::string& item, const std::string& core_message) {
  std::string what = core_message;
  if (core_message == kDecompressionError) {
    what = "damaged compressed data (deflate data or Adler-32 does not match)";
  } else if (core_message == kStreamReadError) {
    what = "the installer ends inside this item";
  }
  return item + ": " + what;
}

InstallerReader::InstallerReader(const std::string& path, const std::string& running_name)
    : image_(ReadFileStorage(path)),
      signature_(FindCertificateTable(image_.data(), static_cast<size_t>(image_.Size()))) {
  try {
    head_ = WalkContainerHead(image_, running_name.empty() ? BaseName(path) : running_name, info_);
  } catch (const LoadError&) {
    throw;
  } catch (const Error& error) {
    throw Error(
        ItemFault("a head item (splash, icon, about or licence text; reading stopped at offset " +
                      std::to_string(image_.Position()) + ")",
                  error.what()));
  }
  const std::string count_text = info_.Value("Filecount");
  int32_t count = 0;
  try {
    count = StrToInt(count_text);
  } catch (const Error& error) {
    throw Error(std::string("Filecount: ") + error.what());
  }
  if (count < 0) throw Error("Filecount " + count_text + " is negative");
  for (int32_t i = 1; i <= count; ++i) files_.push_back(ReadFileLine(info_, i));
}

bool InstallerReader::IsUninstaller() const {
  return !files_.empty() && head_.payload_start == image_.Size();
}

std::vector<uint8_t> InstallerReader::StubBytes() const {
  const std::string marker = head_.head.scrambled ? ScrambledStartMarker() : StartMarker();
  const uint8_t* begin = image_.data();
  const uint8_t* end = begin + image_.Size();
  return std::vector<uint8_t>(begin, std::search(begin, end, marker.begin(), marker.end()));
}

ItemExtent InstallerReader::ReadNextFile(ByteSink& target) {
  const FileLine& line = files_[next_file_];
  const int64_t start = image_.Position();
  try {
    const ItemExtent extent = ReadCompressedItem(image_, line.size, target);
    ++next_file_;
    return extent;
  } catch (const Error& error) {
    throw Error(ItemFault(
        "file item " + line.key + " <" + line.name + "> at offset " + std::to_string(start),
        error.what()));
  }
}

}  // namespace tidemark
