// `tidemark manifest`: the three manifests (version, default locale,
// installer) under which the Windows Package Manager's community repository
// takes an installer, manifest schema 1.12.0.
#pragma once

#include <ostream>
#include <string>

#include "packer/cli/command_arguments.h"

namespace tidemark {

// What only the vendor knows, from the command's options.
struct ManifestOptions {
  std::string identifier;   // --id, Publisher.Package
  std::string url;          // --url, where winget downloads SETUP.exe
  std::string license;      // --license
  std::string description;  // --description, the short description
  std::string locale = "en-US";
  std::string folder = ".";  // --out
};

// Writes ID.yaml, ID.locale.LOCALE.yaml and ID.installer.yaml into the
// folder from the installer at `installer_path` (its name, publisher and
// version, its uninstall entry's key, its SHA-256), naming each file in
// `out`. Raises Error naming every option and installer key that is missing.
void WriteManifests(const std::string& installer_path, const ManifestOptions& options,
                    std::ostream& out);

void RunManifest(const Arguments& arguments, const CommandStreams& streams);

}  // namespace tidemark
