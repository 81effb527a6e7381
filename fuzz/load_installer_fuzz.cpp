// Arbitrary bytes as the running executable: the installer's start-up and
// the reading of its file items, and the tools' walk over the same bytes.
// Every ending must be a clean load or one of the installer's own messages;
// every item read must pass the item checks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_fault.h"
#include "tests/native/damage/documented_failures.h"
#include "tests/native/damage/item_checks.h"
#include "tests/native/damage/startup_replay.h"

namespace tidemark::fuzz {
namespace {

using test::ReplayResult;

template <typename Replay>
void RunReplay(const uint8_t* data, size_t size, const char* running_name, Replay replay) {
  ExeImage image;
  image.Assign(std::vector<uint8_t>(data, data + size));
  try {
    const ReplayResult result = replay(image, running_name);
    Expect(result.loaded() || test::IsDocumentedFailure(result.failure),
           "undocumented failure: " + result.failure);
    Expect(image.Position() >= 0 && image.Position() <= image.Size(), "position outside the image");
  } catch (const test::CheckFailure& failure) {
    Fault(failure.what());
  }
}

}  // namespace
}  // namespace tidemark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tidemark;
  // Under another name a scrambled container must pass its checksum; as the
  // uninstaller it need not, so damaged scrambled data gets further.
  fuzz::RunReplay(data, size, "setup.exe", test::ReplayInstaller);
  fuzz::RunReplay(data, size, "uninstall.exe", test::ReplayToolWalk);
  return 0;
}
