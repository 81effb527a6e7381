#include "tests/native/damage/documented_failures.h"

#include "container/errors.h"
#include "tests/native/damage/startup_replay.h"

namespace tidemark::test {
namespace {

constexpr char kIntegerSuffix[] = "' is not a valid integer value";

bool IsIntegerMessage(const std::string& message) {
  const std::string suffix = kIntegerSuffix;
  return message.size() >= suffix.size() + 1 && message.front() == '\'' &&
         message.compare(message.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool IsDocumentedFailure(const std::string& message) {
  for (LoadFailure kind : {LoadFailure::kNoControlInfo, LoadFailure::kNotTerminated,
                           LoadFailure::kChecksum, LoadFailure::kInitialise}) {
    if (message == LoadFailureMessage(kind)) return true;
  }
  return message == kStreamReadError || message == kDecompressionError ||
         message == kFileRefusedMessage || IsIntegerMessage(message);
}

std::string FailureKind(const std::string& message) {
  return IsIntegerMessage(message) ? "'..." + std::string(kIntegerSuffix) : message;
}

}  // namespace tidemark::test
