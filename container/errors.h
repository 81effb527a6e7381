// Errors raised by the installer core. Every error carries the text that the
// user sees; callers decide where it is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace tidemark {

// An error whose message is meant for the user, as it stands.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The four ways loading the container at start-up can fail. Each ends the
// program after its message.
enum class LoadFailure {
  kNoControlInfo,  // neither start marker found
  kNotTerminated,  // end marker not found before the end of the data
  kChecksum,       // scrambled container whose checksum is not 0
  kInitialise,     // anything else while loading
};

class LoadError : public Error {
 public:
  explicit LoadError(LoadFailure kind);
  LoadFailure kind() const { return kind_; }

 private:
  LoadFailure kind_;
};

// The message shown for each kind, ending in "(damaged installer?)".
const char* LoadFailureMessage(LoadFailure kind);

// Message texts shared by several places.
inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kDecompressionError[] = "Error";
// A file sink that cannot write (a full disk, for instance).
inline constexpr char kStreamWriteError[] = "Stream write error";

// "Cannot create file "<path>". <reason>"
std::string CannotCreateFileMessage(const std::string& path, const std::string& reason);
// "Cannot open file "<path>". <reason>"
std::string CannotOpenFileMessage(const std::string& path, const std::string& reason);

}  // namespace tidemark
