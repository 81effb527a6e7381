// Arbitrary bytes as the value of a file line, looked up as the installation
// run looks it up and taken apart by position; the name is put through the
// safety rule with and without a double-byte code page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "container/control_info.h"
#include "container/errors.h"
#include "fuzz/fuzz_fault.h"
#include "rules/file_entry.h"
#include "rules/path_rules.h"
#include "tests/native/rules/shift_jis.h"

namespace {

void CheckSize(const tidemark::FileEntry& entry) {
  using namespace tidemark;
  try {
    const int32_t size = entry.Size();
    fuzz::Expect(StrToInt(std::to_string(size)) == size, "a size does not read back");
  } catch (const Error& error) {
    // Compared as C texts: what() ends at a NUL byte, which a real control
    // line never holds (the loader drops it).
    const std::string expected = "'" + entry.size_text + "' is not a valid integer value";
    fuzz::Expect(std::string(error.what()) == expected.c_str(),
                 std::string("unexpected size failure: ") + error.what());
  }
}

void CheckName(const std::string& name, tidemark::LeadBytePredicate lead_byte) {
  using namespace tidemark;
  if (!IsSafeRelativeName(name, lead_byte)) return;
  const std::string path = JoinPath("C:\\Install", name);
  fuzz::Expect(path.compare(0, 11, "C:\\Install\\") == 0, "a safe name left the folder");
  const std::string folder = FolderPart(path, lead_byte);
  fuzz::Expect(folder.size() >= 11 && path.compare(0, folder.size(), folder) == 0,
               "a safe name's folder part is not under the folder");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tidemark;
  const std::string value(reinterpret_cast<const char*>(data), size);
  ControlInfo info;
  info.AddLine("f1=" + value);
  const std::string looked_up = info.Value("F1");
  fuzz::Expect(looked_up == value, "the lookup changed the value");

  const FileEntry entry = SplitFileEntry(looked_up);
  fuzz::Expect(entry.name.find('>') == std::string::npos, "a name holds \">\"");
  fuzz::Expect(entry.name.size() < value.size() || value.empty(), "a name as long as its line");
  CheckSize(entry);
  CheckName(entry.name, nullptr);
  CheckName(entry.name, ShiftJisLeadByte);
  return 0;
}
