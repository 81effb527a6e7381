// The messages with which the installer may end when its container is
// damaged, and a short name per kind for counting them.
#pragma once

#include <string>

namespace tidemark::test {

// One of the four "(damaged installer?)" messages, "Stream read error",
// "Error" (decompression), "'<text>' is not a valid integer value", or the
// refusal of a file name that would leave the install folder.
bool IsDocumentedFailure(const std::string& message);

// The message with the text of an integer message left out, so that every
// unreadable number counts as one kind: "'...' is not a valid integer value".
std::string FailureKind(const std::string& message);

}  // namespace tidemark::test
