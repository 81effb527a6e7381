#include "packer/cli/installer_opening.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "container/errors.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "packer/stub/stub_check.h"

namespace tidemark {
namespace {

bool Holds(const std::vector<uint8_t>& bytes, std::string_view text) {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// What the file at `path`, in which the loader found no start marker, is:
// empty for a damaged installer of this system (a copy of the stub with
// bytes after it), else why it is no installer.
std::string ForeignFileMessage(const std::string& path) {
  const auto storage = ReadFileStorage(path);
  const std::vector<uint8_t> bytes(storage->data(), storage->data() + storage->size());
  const std::string not_ours = "\"" + path + "\" is not a Tidemark installer: ";
  const std::string fault = BareStubFault(bytes, StubPlace::kAlone);
  if (fault.empty()) return not_ours + "it is the bare stub, which no container follows";
  if (Holds(bytes, kStubSignature)) return {};
  if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z') return not_ours + fault;
  return not_ours + "no container follows the program";
}

}  // namespace

InstallerReader OpenInstaller(const std::string& path) {
  try {
    return InstallerReader(path);
  } catch (const LoadError& error) {
    if (error.kind() == LoadFailure::kNoControlInfo) {
      const std::string message = ForeignFileMessage(path);
      if (!message.empty()) throw Error(message);
    }
    if (error.kind() == LoadFailure::kChecksum) {
      // A scrambled uninstaller under another name: its checksum covered the
      // file items it was written without, and only its own name spares it.
      try {
        InstallerReader uninstaller(path, kUninstallerName);
        if (uninstaller.IsUninstaller()) return uninstaller;
      } catch (const Error&) {
      }
    }
    throw;
  }
}

std::string UninstallerMessage(const std::string& path) {
  return "\"" + path +
         "\" is an uninstaller written by a Tidemark installation; it carries no product files";
}

}  // namespace tidemark
