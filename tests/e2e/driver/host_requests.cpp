#include "tests/e2e/driver/host_requests.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "tests/e2e/driver/file_edits.h"

namespace tidemark::e2e {
namespace {

// The names scripts/with-host-cut.sh watches for and answers with.
constexpr char kRequest[] = "host-cut.request";
constexpr char kAnswer[] = "host-cut.answer";

}  // namespace

void CutFromHost(const std::string& path, int64_t length, Milliseconds timeout) {
  std::filesystem::remove(kAnswer);
  std::string unix_path = path;
  for (char& c : unix_path) {
    if (c == '\\') c = '/';
  }
  const std::string request = std::to_string(length) + " " + unix_path + "\n";
  // Written under another name first, so that the host never reads half.
  const std::string partial = std::string(kRequest) + ".partial";
  WriteWholeFile(partial, std::vector<uint8_t>(request.begin(), request.end()));
  std::filesystem::rename(partial, kRequest);
  if (!PollUntil(timeout, [] { return std::filesystem::exists(kAnswer); })) {
    std::filesystem::remove(kRequest);
    throw std::runtime_error("the host did not cut " + path +
                             " (the case needs the header line \"# host-cut\")");
  }
  const std::vector<uint8_t> answer = ReadWholeFile(kAnswer);
  std::filesystem::remove(kAnswer);
  const std::string text(answer.begin(), answer.end());
  if (text != "ok\n") throw std::runtime_error("the host could not cut " + path + ": " + text);
}

}  // namespace tidemark::e2e
