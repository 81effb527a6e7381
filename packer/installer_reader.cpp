#include "packer/installer_reader.h"

#include "container/errors.h"
#include "container/image_file.h"

namespace tidemark {
namespace {

std::string BaseName(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

FileLine ParseFileLine(const std::string& key, const std::string& value) {
  FileLine line;
  line.key = key;
  const size_t close = value.find('>');
  const size_t sizes = value.find("><");
  if (value.size() < 2 || close == std::string::npos || sizes == std::string::npos) {
    throw Error("file line " + key + " is missing or malformed: \"" + value + "\"");
  }
  line.name = value.substr(1, close - 1);
  const std::string size_text = value.substr(sizes + 2, value.size() - sizes - 3);
  try {
    line.size = StrToInt(size_text);
  } catch (const Error& error) {
    throw Error("file line " + key + ": " + error.what());
  }
  if (line.size < 1) throw Error("file line " + key + ": size " + size_text + " is not positive");
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

InstallerReader::InstallerReader(const std::string& path) : image_(ReadFileStorage(path)) {
  try {
    head_ = WalkContainerHead(image_, BaseName(path), info_);
  } catch (const LoadError&) {
    throw;
  } catch (const Error& error) {
    throw Error(ItemFault("a head item (splash, icon, about or licence text; reading stopped at offset " +
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
  for (int32_t i = 1; i <= count; ++i) {
    const std::string key = "f" + std::to_string(i);
    files_.push_back(ParseFileLine(key, info_.Value(key)));
  }
}

ItemExtent InstallerReader::ReadNextFile(ByteSink& target) {
  const FileLine& line = files_[next_file_];
  const int64_t start = image_.Position();
  try {
    const ItemExtent extent = ReadCompressedItem(image_, line.size, target);
    ++next_file_;
    return extent;
  } catch (const Error& error) {
    throw Error(ItemFault("file item " + line.key + " <" + line.name + "> at offset " +
                              std::to_string(start),
                          error.what()));
  }
}

}  // namespace tidemark
