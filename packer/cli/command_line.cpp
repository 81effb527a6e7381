#include "packer/cli/command_line.h"

#include <chrono>
#include <cstdio>
#include <exception>

#include "packer/cli/inspect_commands.h"
#include "packer/product/starter_product.h"
#include "packer/build/threads.h"

namespace tidemark {
namespace {

constexpr char kVersion[] = "tidemark 1.1";
// Products smaller than this pack too quickly for progress to help.
constexpr int64_t kProgressThreshold = 32 << 20;
constexpr int kMaxJobs = 256;

struct Usage {
  const char* command;
  const char* text;
};

constexpr Usage kUsages[] = {
    {"build",
     "  tidemark build --stub STUB --product PRODUCT.ini --out SETUP.exe\n"
     "                 [--codepage N] [--scrambled] [--level 0-9] [--jobs N] [--quiet]\n"
     "      Writes STUB followed by a container for the product described in\n"
     "      PRODUCT.ini (docs/product-file.md). --codepage is the Windows code page\n"
     "      of the systems the installer is for (default 1252; also 874, 932, 936,\n"
     "      949, 950 and 1250 to 1258): names and texts, written in UTF-8, are\n"
     "      converted to it. --scrambled scrambles the container; --level is the\n"
     "      zlib level (default 9); --jobs the compressing threads (default: all\n"
     "      processors; the output does not depend on it). --quiet leaves out the\n"
     "      summary, notes and progress. SETUP.exe is written beside and renamed\n"
     "      into place when complete; it may not be one of the inputs.\n"},
    {"list",
     "  tidemark list SETUP.exe\n"
     "      Shows the control information and where every item lies.\n"},
    {"verify",
     "  tidemark verify SETUP.exe\n"
     "      Reads every item; checks the stub, every Adler-32, the checksum and\n"
     "      the names of the files.\n"},
    {"extract",
     "  tidemark extract SETUP.exe DIR [--force]\n"
     "      Writes the product's files below DIR; --force replaces existing files.\n"},
    {"init",
     "  tidemark init DIR\n"
     "      Writes a starter product into DIR (a new or empty folder): a commented\n"
     "      product.ini, placeholder pictures and texts, and a files folder.\n"},
};

int ParseNumber(const std::string& option, const std::string& text, int low, int high) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || value < low || value > high) {
    throw UsageError(option + " takes a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + text + "\"",
                     "build");
  }
  return value;
}

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

Command ParseBuild(const std::vector<std::string>& arguments) {
  Command command;
  command.kind = CommandKind::kBuild;
  PackOptions& options = command.build;
  options.jobs = ProcessorCount();
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--scrambled") {
      options.scrambled = true;
      continue;
    }
    if (option == "--quiet" || option == "-q") {
      command.quiet = true;
      continue;
    }
    if (i + 1 == arguments.size())
      throw UsageError("unknown option or missing value: " + option, "build");
    const std::string& value = arguments[++i];
    if (option == "--stub") {
      options.stub_path = value;
    } else if (option == "--product") {
      options.description_path = value;
    } else if (option == "--out") {
      options.output_path = value;
    } else if (option == "--level") {
      options.level = ParseNumber(option, value, 0, 9);
    } else if (option == "--jobs") {
      options.jobs = ParseNumber(option, value, 1, kMaxJobs);
    } else if (option == "--codepage") {
      options.code_page = ParseNumber(option, value, 1, 65535);
    } else {
      throw UsageError("unknown option: " + option, "build");
    }
  }
  if (options.stub_path.empty() || options.description_path.empty() ||
      options.output_path.empty()) {
    throw UsageError("build needs --stub, --product and --out, none of them empty", "build");
  }
  return command;
}

// The other commands: fixed arguments, and --force for extract.
Command ParseInspection(const std::vector<std::string>& arguments) {
  const std::string& verb = arguments[0];
  Command command;
  std::vector<std::string> values;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (verb == "extract" && arguments[i] == "--force") {
      command.force = true;
    } else {
      values.push_back(arguments[i]);
    }
  }
  const size_t expected = verb == "extract" ? 2 : 1;
  if (values.size() != expected) {
    throw UsageError(verb + (verb == "extract" ? " takes SETUP.exe and DIR"
                             : verb == "init"  ? " takes DIR"
                                               : " takes SETUP.exe"),
                     verb);
  }
  if (verb == "init") {
    command.kind = CommandKind::kInit;
    command.folder = values[0];
  } else {
    command.kind = verb == "list"     ? CommandKind::kList
                   : verb == "verify" ? CommandKind::kVerify
                                      : CommandKind::kExtract;
    command.installer = values[0];
    if (command.kind == CommandKind::kExtract) command.folder = values[1];
  }
  for (const std::string& value : values) {
    if (value.empty()) throw UsageError(verb + " takes no empty argument", verb);
  }
  return command;
}

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

void PrintSummary(const PackOptions& options, const PackResult& result, double seconds,
                  std::ostream& out) {
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
      << "\n";
}

void Build(const Command& command, std::ostream& out, std::ostream& err, bool show_progress) {
  PackOptions options = command.build;
  const auto start = std::chrono::steady_clock::now();
  PackResult result;
  {
    ProgressLine progress(err);
    if (show_progress && !command.quiet) {
      options.progress = [&progress](int64_t done, int64_t total) { progress(done, total); };
    }
    result = PackInstaller(options);
  }
  for (const std::string& warning : result.warnings) err << warning << "\n";
  if (command.quiet) return;
  for (const std::string& note : result.notes) err << "note: " << note << "\n";
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  PrintSummary(options, result, seconds.count(), out);
}

void Run(const Command& command, std::ostream& out, std::ostream& err, bool show_progress) {
  switch (command.kind) {
    case CommandKind::kHelp:
      out << UsageText(command.topic);
      return;
    case CommandKind::kVersion:
      out << kVersion << "\n";
      return;
    case CommandKind::kBuild:
      Build(command, out, err, show_progress);
      return;
    case CommandKind::kList:
      ListInstaller(command.installer, out);
      return;
    case CommandKind::kVerify:
      VerifyInstaller(command.installer, out);
      return;
    case CommandKind::kExtract:
      ExtractInstaller(command.installer, command.folder, command.force, out);
      return;
    case CommandKind::kInit:
      WriteStarterProduct(command.folder);
      out << "A starter product is in \"" << command.folder
          << "\"; build it with\n  tidemark build --stub "
          << "tidemark-stub.exe --product " << command.folder << "/product.ini --out setup.exe\n";
      return;
  }
}

}  // namespace

std::string UsageText(const std::string& topic) {
  std::string text = "Usage:\n";
  for (const Usage& usage : kUsages) {
    if (topic.empty() || topic == usage.command) text += usage.text;
  }
  if (topic.empty()) {
    text +=
        "  tidemark COMMAND --help    tidemark --version\n"
        "The product file is described in docs/product-file.md.\n";
  }
  return text + "Exit codes: 0 success, 1 bad input or a faulty installer, 2 wrong usage.\n";
}

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& verb = arguments[0];
  Command command;
  if (IsHelp(verb) || verb == "help") {
    if (arguments.size() > 1) command.topic = arguments[1];
    return command;
  }
  if (verb == "--version") {
    command.kind = CommandKind::kVersion;
    return command;
  }
  bool known = false;
  for (const Usage& usage : kUsages) known = known || verb == usage.command;
  if (!known) throw UsageError("unknown command: " + verb);
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (IsHelp(arguments[i])) {
      command.topic = verb;
      return command;
    }
  }
  if (verb == "build") return ParseBuild(arguments);
  return ParseInspection(arguments);
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool show_progress) {
  Command command;
  try {
    command = ParseCommandLine(arguments);
  } catch (const UsageError& error) {
    err << "tidemark: " << error.what() << "\n\n" << UsageText(error.topic);
    return kExitUsage;
  }
  try {
    Run(command, out, err, show_progress);
    return kExitSuccess;
  } catch (const std::exception& error) {
    out.flush();
    err << "tidemark: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace tidemark
