// An error for a failed Windows call, with the system's reason appended.
#pragma once

#include <stdexcept>
#include <string>

#include "system/system_error.h"

namespace tidemark::e2e {

// Call it right after the failed call, before the last error can change.
inline std::runtime_error SystemFailure(const std::string& what) {
  std::string reason = LastErrorText();
  if (reason.empty()) reason = "error " + std::to_string(GetLastError());
  return std::runtime_error(what + " (" + reason + ")");
}

}  // namespace tidemark::e2e
