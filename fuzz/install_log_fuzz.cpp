// Arbitrary bytes as an install log file. Loading never fails; what it
// loads holds no line end or NUL inside an entry, and saving it and loading
// that again gives the same entries.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_fault.h"
#include "rules/install_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tidemark;
  InstallLog log;
  log.LoadText(std::string(reinterpret_cast<const char*>(data), size));
  fuzz::Expect(log.size() <= size, "more entries than bytes");
  for (const std::string& entry : log.entries()) {
    fuzz::Expect(entry.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                 "an entry holds a line end or NUL");
  }
  InstallLog reloaded;
  reloaded.LoadText(log.SaveText());
  fuzz::Expect(reloaded.entries() == log.entries(), "saving and loading changed the entries");
  return 0;
}
