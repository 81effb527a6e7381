// Asking the Linux host to change a file while the installer has it open,
// behind Wine's back, the way a medium that goes away would change it. The
// host side is scripts/with-host-cut.sh, which serves requests left in the
// driver's current folder.
#pragma once

#include <cstdint>
#include <string>

#include "tests/e2e/driver/polling.h"

namespace tidemark::e2e {

// Has the host cut the file at `path` (relative to the current folder) to
// `length` bytes and waits for its answer. Raises std::runtime_error when
// the host refuses or does not answer within `timeout`.
void CutFromHost(const std::string& path, int64_t length, Milliseconds timeout);

}  // namespace tidemark::e2e
