#include "container/errors.h"

namespace tidemark {

LoadError::LoadError(LoadFailure kind) : Error(LoadFailureMessage(kind)), kind_(kind) {}

const char* LoadFailureMessage(LoadFailure kind) {
  switch (kind) {
    case LoadFailure::kNoControlInfo:
      return "Can't find control information (damaged installer?)";
    case LoadFailure::kNotTerminated:
      return "Control information not terminated (damaged installer?)";
    case LoadFailure::kChecksum:
      return "Checksum error (damaged installer?)";
    case LoadFailure::kInitialise:
      break;
  }
  return "Failed to initialise (damaged installer?)";
}

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason) {
  return "Cannot create file \"" + path + "\". " + reason;
}

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason) {
  return "Cannot open file \"" + path + "\". " + reason;
}

}  // namespace tidemark
