#include "packer/cli/commands.h"

#include "codecs/near_optimal_deflate.h"
#include "packer/cli/build_command.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/manifest_command.h"
#include "packer/product/starter_product.h"

#include <string>

namespace tidemark {
namespace {

constexpr int kMaxJobs = 256;

void RunList(const Arguments& arguments, const CommandStreams& streams) {
  ListInstaller(arguments.values[0], streams.out);
}

void RunVerify(const Arguments& arguments, const CommandStreams& streams) {
  VerifyInstaller(arguments.values[0], streams.out);
}

void RunExtract(const Arguments& arguments, const CommandStreams& streams) {
  ExtractInstaller(arguments.values[0], arguments.values[1], arguments.Has("--force"), streams.out);
}

void RunInit(const Arguments& arguments, const CommandStreams& streams) {
  const std::string& folder = arguments.values[0];
  WriteStarterProduct(folder);
  streams.out << "A starter product is in \"" << folder
              << "\"; build it with\n  tidemark build --product " << folder
              << "/product.ini --out setup.exe\n";
}

// The build command's usage: its levels are those this packer was built with.
std::string BuildUsage() {
  const std::string highest = std::to_string(kHighestLevel);
  const std::string levels =
      kHighestLevel > kHighestZlibLevel
          ? "0 to 9 zlib's, 10 to " + highest +
                " libdeflate's (smaller; zlib\n"
                "      inflates them all)"
          : std::string("0 to 9, zlib's");
  return "  tidemark build --product PRODUCT.ini --out SETUP.exe [--stub STUB]\n"
         "                 [--set KEY=VALUE]... [--warnings-as-errors]\n"
         "                 [--codepage N] [--scrambled] [--level 0-" +
         highest + "] [--jobs N] [--quiet]\n" +
         "      Writes the stub followed by a container for the product described in\n"
         "      PRODUCT.ini (docs/product-file.md). The stub is STUB, else the file that\n"
         "      TIDEMARK_STUB names, else tidemark-stub.exe beside the packer, in\n"
         "      ../share/tidemark from it (an installed packer) or in ../../win/bin from\n"
         "      it (the build tree); the summary names it. --codepage is the Windows\n"
         "      code page of the systems the installer is for (default 1252; also 874,\n"
         "      932, 936, 949, 950 and 1250 to 1258): names and texts, written in UTF-8,\n"
         "      are converted to it. --scrambled scrambles the container; --level is the\n"
         "      compression level: " +
         levels + "; default " + std::to_string(kDefaultLevel) +
         ".\n"
         "      --jobs is the number of compressing threads (default: all processors;\n"
         "      the output does not depend on it). --quiet leaves out the summary,\n"
         "      notes and progress. SETUP.exe is written beside and renamed into place\n"
         "      when complete; it may not be one of the inputs.\n"
         "      --set KEY=VALUE sets a key as a line of PRODUCT.ini does, checked the\n"
         "      same way, and wins over the file's line for that key (paths stay\n"
         "      relative to PRODUCT.ini); it may be given for several keys, once for\n"
         "      each.\n"
         "      --warnings-as-errors stops at a warning as at an error: every problem is\n"
         "      printed, exit code 1, nothing is written.\n";
}

const char* BuildUsageText() {
  static const std::string text = BuildUsage();
  return text.c_str();
}

}  // namespace

const std::vector<Subcommand>& Subcommands() {
  static const std::vector<Subcommand> kSubcommands = {
      {"build", BuildUsageText(),
       {{},
        {"--scrambled", "--quiet", "-q", "--warnings-as-errors"},
        {{"--stub"},
         {"--product"},
         {"--out"},
         {"--level", true, 0, kHighestLevel},
         {"--jobs", true, 1, kMaxJobs},
         {"--codepage", true, 1, 65535}},
        {"--product", "--out"},
        {"--set"}},
       RunBuild},
      {"list",
       "  tidemark list SETUP.exe\n"
       "      Shows the control information and where every item lies.\n",
       {{"SETUP.exe"}},
       RunList},
      {"verify",
       "  tidemark verify SETUP.exe\n"
       "      Reads every item; checks the stub, every Adler-32, the checksum and\n"
       "      the names of the files.\n",
       {{"SETUP.exe"}},
       RunVerify},
      {"extract",
       "  tidemark extract SETUP.exe DIR [--force]\n"
       "      Writes the product's files below DIR; --force replaces existing files.\n",
       {{"SETUP.exe", "DIR"}, {"--force"}},
       RunExtract},
      {"manifest",
       "  tidemark manifest SETUP.exe --id ID --url URL --license TEXT\n"
       "                    --description TEXT [--locale LOCALE] [--out DIR]\n"
       "      Writes the three manifests of the Windows Package Manager (schema\n"
       "      1.12.0) for SETUP.exe into DIR (default: the current folder):\n"
       "      ID.yaml, ID.locale.LOCALE.yaml (default en-US) and ID.installer.yaml.\n"
       "      Name, publisher, version and links come from the installer; ID\n"
       "      (Publisher.Product), the https URL it is downloaded from, the licence\n"
       "      and a short description from the options.\n",
       {{"SETUP.exe"},
        {},
        {{"--id"}, {"--url"}, {"--license"}, {"--description"}, {"--locale"}, {"--out"}}},
       RunManifest},
      {"init",
       "  tidemark init DIR\n"
       "      Writes a starter product into DIR (a new or empty folder): a commented\n"
       "      product.ini, placeholder pictures and texts, and a files folder.\n",
       {{"DIR"}},
       RunInit},
  };
  return kSubcommands;
}

const Subcommand* FindSubcommand(std::string_view name) {
  for (const Subcommand& command : Subcommands()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace tidemark
