#include "packer/cli/build_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "packer/build/threads.h"
#include "packer/cli/stub_location.h"

namespace tidemark {
namespace {

// Products smaller than this pack too quickly for progress to help.
constexpr int64_t kProgressThreshold = 32 << 20;

// Shows how far packing has come, one step per percent.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err) : err_(err) {}
  ~ProgressLine() {
    if (shown_ >= 0) err_ << "\n";
  }
  void operator()(int64_t done, int64_t total) {
    if (total < kProgressThreshold) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == shown_) return;
    shown_ = percent;
    err_ << "\rpacking: " << percent << "% (" << (done >> 20) << " of " << (total >> 20) << " MiB)"
         << std::flush;
  }

 private:
  std::ostream& err_;
  int shown_ = -1;
};

void PrintSummary(const PackOptions& options, const StubChoice& stub, const PackResult& result,
                  double seconds, std::ostream& out) {
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.1f%%",
                result.product_bytes > 0 ? 100.0 * static_cast<double>(result.stored_bytes) /
                                               static_cast<double>(result.product_bytes)
                                         : 0.0);
  char time[32];
  std::snprintf(time, sizeof time, "%.1f s", seconds);
  out << options.output_path << ": " << result.installer_size << " bytes"
      << (options.scrambled ? ", scrambled" : "") << ", code page " << options.code_page << "\n"
      << "  " << result.items << " items (" << result.files << " files); " << result.product_bytes
      << " bytes of product stored in " << result.stored_bytes << " (" << ratio << "); " << time
      << "\n"
      << "  stub: " << stub.path.string() << ", " << stub.source << "\n";
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

PackOptions BuildOptions(const Arguments& arguments) {
  PackOptions options;
  options.stub_path = arguments.Option("--stub");
  options.description_path = arguments.Option("--product");
  options.output_path = arguments.Option("--out");
  options.scrambled = arguments.Has("--scrambled");
  options.level = arguments.Number("--level", options.level);
  options.jobs = arguments.Number("--jobs", ProcessorCount());
  options.code_page = arguments.Number("--codepage", options.code_page);
  options.overrides.settings = arguments.List("--set");
  options.overrides.warnings_as_errors = arguments.Has("--warnings-as-errors");
  return options;
}

void RunBuild(const Arguments& arguments, const CommandStreams& streams) {
  PackOptions options = BuildOptions(arguments);
  const StubChoice stub =
      FindStub(options.stub_path, EnvironmentValue(kStubVariable), RunningPackerFolder());
  options.stub_path = stub.path.string();
  const bool quiet = arguments.Has("--quiet") || arguments.Has("-q");
  const auto start = std::chrono::steady_clock::now();
  PackResult result;
  {
    ProgressLine progress(streams.err);
    if (streams.show_progress && !quiet) {
      options.progress = [&progress](int64_t done, int64_t total) { progress(done, total); };
    }
    result = PackInstaller(options);
  }
  for (const std::string& warning : result.warnings) streams.err << warning << "\n";
  if (quiet) return;
  for (const std::string& note : result.notes) streams.err << "note: " << note << "\n";
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  PrintSummary(options, stub, result, seconds.count(), streams.out);
}

}  // namespace tidemark
