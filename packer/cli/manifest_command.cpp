#include "packer/cli/manifest_command.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "container/control_keys.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "packer/build/installer_reader.h"
#include "packer/build/sha256.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/installer_opening.h"

namespace tidemark {
namespace {

constexpr char kManifestVersion[] = "1.12.0";

// A YAML double-quoted scalar.
std::string Yaml(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// The exit codes of the unattended run (README) that a winget response
// describes; the others are reported by winget as a failure with the code.
struct ReturnCode {
  int code;
  const char* response;
};
constexpr ReturnCode kReturnCodes[] = {
    {2, "contactSupport"},   // a damaged installer: nothing was written
    {3, "invalidParameter"}  // no install folder, or a /D= path that is not absolute
};

std::string Header(const char* type) {
  return std::string("# yaml-language-server: $schema=https://aka.ms/winget-manifest.") + type +
         "." + kManifestVersion + ".schema.json\n";
}

std::string Footer(const char* type) {
  return std::string("ManifestType: ") + type + "\nManifestVersion: " + kManifestVersion + "\n";
}

void WriteText(const std::filesystem::path& path, const std::string& text, std::ostream& out) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) throw Error("cannot write \"" + path.string() + "\"");
  out << path.string() << "\n";
}

}  // namespace

void WriteManifests(const std::string& installer_path, const ManifestOptions& options,
                    std::ostream& out) {
  const InstallerReader reader = OpenInstaller(installer_path);
  if (reader.IsUninstaller()) throw Error(UninstallerMessage(installer_path));
  const ControlInfo& info = reader.control_info();
  const CodePage code_page = CodePageOf(info);
  const auto value = [&](const char* key) { return code_page.ToUtf8(info.Value(key)); };
  const std::string name = value(keys::kAppName);
  const std::string publisher = value(keys::kAppPublisher);
  const std::string version = value(keys::kAppVersion);

  std::vector<std::string> missing;
  const auto need = [&](const std::string& given, const std::string& what) {
    if (given.empty()) missing.push_back(what);
  };
  need(options.identifier, "--id (the package identifier, such as Publisher.Product)");
  need(options.url, "--url (the https address winget downloads the installer from)");
  need(options.license, "--license (the product's licence, such as Proprietary or MIT)");
  need(options.description, "--description (a short description of the product)");
  need(name, "the installer's AppName");
  need(publisher, "the installer's AppPublisher (product keys AppPublisher or SetupCompanyName)");
  need(version, "the installer's AppVersion (product keys AppVersion or SetupVersion)");
  if (!missing.empty()) {
    std::string message = "manifest needs";
    for (size_t i = 0; i < missing.size(); ++i) message += (i ? "; " : " ") + missing[i];
    throw Error(message);
  }

  const auto storage = ReadFileStorage(installer_path);
  const std::string sha256 = Sha256Hex(storage->data(), storage->size());
  const std::string common = "PackageIdentifier: " + Yaml(options.identifier) +
                             "\nPackageVersion: " + Yaml(version) + "\n";

  std::string installer = Header("installer") + common +
                          "InstallerType: exe\n"
                          "Scope: machine\n"
                          // On purpose: the installer's manifest asks for
                          // administrator rights, so Windows elevates it
                          // when winget starts it unelevated.
                          "ElevationRequirement: elevatesSelf\n"
                          "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n"
                          "InstallerSwitches:\n"
                          "  Silent: /S\n"
                          "  SilentWithProgress: /S\n"
                          "  InstallLocation: /D=<INSTALLPATH>\n"
                          "  Log: " +
                          Yaml("\"/LOG=<LOGPATH>\"") + "\nExpectedReturnCodes:\n";
  for (const ReturnCode& code : kReturnCodes) {
    installer += "- InstallerReturnCode: " + std::to_string(code.code) +
                 "\n  ReturnResponse: " + code.response + "\n";
  }
  // A second installation of the same product replaces its files and its
  // uninstall entry.
  installer += "UpgradeBehavior: install\nAppsAndFeaturesEntries:\n- DisplayName: " + Yaml(name) +
               "\n  Publisher: " + Yaml(publisher) + "\n  DisplayVersion: " + Yaml(version) +
               "\n  ProductCode: " + Yaml(name) +
               "\nInstallers:\n- Architecture: x64\n  InstallerUrl: " + Yaml(options.url) +
               "\n  InstallerSha256: " + sha256 + "\n" + Footer("installer");

  std::string locale = Header("defaultLocale") + common + "PackageLocale: " + Yaml(options.locale) +
                       "\nPublisher: " + Yaml(publisher) + "\nPackageName: " + Yaml(name) + "\n";
  if (const std::string about = value(keys::kAppAboutUrl); !about.empty())
    locale += "PackageUrl: " + Yaml(about) + "\n";
  if (const std::string help = value(keys::kAppHelpUrl); !help.empty())
    locale += "PublisherSupportUrl: " + Yaml(help) + "\n";
  locale += "License: " + Yaml(options.license) +
            "\nShortDescription: " + Yaml(options.description) + "\n" + Footer("defaultLocale");

  const std::string version_manifest = Header("version") + common +
                                       "DefaultLocale: " + Yaml(options.locale) + "\n" +
                                       Footer("version");

  const std::filesystem::path folder(options.folder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  WriteText(folder / (options.identifier + ".yaml"), version_manifest, out);
  WriteText(folder / (options.identifier + ".locale." + options.locale + ".yaml"), locale, out);
  WriteText(folder / (options.identifier + ".installer.yaml"), installer, out);
}

void RunManifest(const Arguments& arguments, const CommandStreams& streams) {
  ManifestOptions options;
  options.identifier = arguments.Option("--id");
  options.url = arguments.Option("--url");
  options.license = arguments.Option("--license");
  options.description = arguments.Option("--description");
  if (const std::string locale = arguments.Option("--locale"); !locale.empty())
    options.locale = locale;
  if (const std::string folder = arguments.Option("--out"); !folder.empty())
    options.folder = folder;
  WriteManifests(arguments.values[0], options, streams.out);
}

}  // namespace tidemark
