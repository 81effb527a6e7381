// Reading a finished installer back as the installer itself reads it: the
// head at start-up, then the file items one after another.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "container/certificate_table.h"
#include "container/container_walk.h"
#include "container/control_info.h"
#include "container/exe_image.h"

namespace tidemark {

// One file line taken apart by position, as the installation run does.
struct FileLine {
  std::string key;   // "f1", "f2", ...
  std::string name;  // relative to the install folder
  int32_t size = 0;
};

// File line `index` (1-based). Raises Error naming the key when the line is
// missing or its size is not a positive number.
FileLine ReadFileLine(const ControlInfo& info, int32_t index);

class InstallerReader {
 public:
  // Loads the whole installer and walks its head as the program named
  // `running_name` would (empty: the file's own name). Raises Error (the
  // loader's message, or the failing item named) when the head is unsound.
  explicit InstallerReader(const std::string& path, const std::string& running_name = {});

  const ControlInfo& control_info() const { return info_; }
  const HeadWalk& head() const { return head_; }
  const std::vector<FileLine>& files() const { return files_; }
  // The Authenticode certificate table, when the installer is signed.
  const std::optional<CertificateTable>& signature() const { return signature_; }
  // The installer's size up to its certificate table, if any.
  int64_t size() const { return image_.Size(); }
  int64_t position() const { return image_.Position(); }

  // Whether this is an uninstaller an installation wrote: the installer's
  // bytes up to its first file item (PayloadStart), file lines and all, and
  // nothing after them.
  bool IsUninstaller() const;

  // The bytes before the start marker: the stub.
  std::vector<uint8_t> StubBytes() const;

  // Whether every file item has been read.
  bool done() const { return next_file_ == files_.size(); }
  // Reads the next file item into `target`. Raises Error naming the item.
  ItemExtent ReadNextFile(ByteSink& target);

 private:
  ExeImage image_;
  std::optional<CertificateTable> signature_;
  ControlInfo info_;
  HeadWalk head_;
  std::vector<FileLine> files_;
  size_t next_file_ = 0;
};

// The message of an item failure, with the item named and the core's terse
// texts explained.
std::string ItemFault(const std::string& item, const std::string& core_message);

}  // namespace tidemark
