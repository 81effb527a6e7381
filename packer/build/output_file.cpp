#include "packer/build/output_file.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "container/errors.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

// The temporary file being written, for the signal handler (one at a time).
char g_temporary[4096];
volatile std::sig_atomic_t g_temporary_set = 0;

extern "C" void RemoveTemporaryAndEnd(int signal_number) {
  if (g_temporary_set) std::remove(g_temporary);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void NoteTemporary(const std::string& path) {
  g_temporary_set = 0;
  if (path.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, path.c_str(), path.size() + 1);
  g_temporary_set = 1;
}

std::string KindOf(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return "a folder";
    case fs::file_type::symlink:
      return "a symbolic link";
    case fs::file_type::character:
    case fs::file_type::block:
      return "a device";
    case fs::file_type::fifo:
      return "a pipe";
    case fs::file_type::socket:
      return "a socket";
    default:
      return "not a regular file";
  }
}

bool Inside(const std::string& path, const std::string& folder) {
  std::error_code error;
  const fs::path inner = fs::weakly_canonical(path, error);
  if (error) return false;
  const fs::path outer = fs::weakly_canonical(folder, error);
  if (error) return false;
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

// A name beside `destination` that nothing has yet.
std::string TemporaryNameFor(const std::string& destination) {
  std::random_device random;
  for (;;) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.partial", static_cast<unsigned>(random()));
    std::error_code error;
    if (!fs::exists(destination + suffix, error) && !error) return destination + suffix;
  }
}

}  // namespace

void CheckOutputPath(const std::string& output, const std::vector<std::string>& inputs,
                     const std::string& input_folder) {
  if (output.empty()) throw Error("the output path is empty");
  std::error_code error;
  const fs::file_type type = fs::symlink_status(output, error).type();
  if (type != fs::file_type::not_found && type != fs::file_type::regular) {
    throw Error("output \"" + output + "\" is " + KindOf(type) +
                "; the packer writes only over a regular file or a new name");
  }
  if (type == fs::file_type::regular) {
    for (const std::string& input : inputs) {
      if (fs::equivalent(output, input, error)) {
        throw Error("output \"" + output + "\" is the input \"" + input +
                    "\"; choose another output");
      }
    }
  }
  if (!input_folder.empty() && Inside(output, input_folder)) {
    throw Error("output \"" + output + "\" lies in the files folder \"" + input_folder +
                "\"; the next build would pack it");
  }
}

OutputFile::OutputFile(std::string destination)
    : destination_(std::move(destination)), temporary_(TemporaryNameFor(destination_)) {
  NoteTemporary(temporary_);
  try {
    sink_ = CreateFileSink(temporary_);
  } catch (const Error&) {
    g_temporary_set = 0;
    throw Error("cannot create \"" + destination_ +
                "\" (through a file beside it): " + std::strerror(errno));
  }
}

OutputFile::~OutputFile() {
  sink_.reset();
  std::error_code error;
  if (!committed_) fs::remove(temporary_, error);
  g_temporary_set = 0;
}

void OutputFile::Commit() {
  try {
    sink_->Close();
  } catch (const Error&) {
    throw Error(WriteFailure());
  }
  std::error_code error;
  fs::rename(temporary_, destination_, error);
  if (error)
    throw Error("cannot move the finished file to \"" + destination_ + "\": " + error.message());
  committed_ = true;
}

void OutputFile::CheckedSink::Write(const void* data, size_t count) {
  try {
    output_.sink_->Write(data, count);
  } catch (const Error&) {
    throw Error(output_.WriteFailure());
  }
}

std::string OutputFile::WriteFailure() const {
  return "cannot write \"" + destination_ + "\" (through \"" + temporary_ +
         "\"): " + std::strerror(errno);
}

void RemoveTemporaryFilesOnSignals() {
  for (int signal_number : {SIGINT, SIGTERM}) std::signal(signal_number, RemoveTemporaryAndEnd);
#ifdef SIGHUP
  std::signal(SIGHUP, RemoveTemporaryAndEnd);
#endif
}

}  // namespace tidemark
