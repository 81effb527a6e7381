// The winget manifests of a packed installer, validated against the
// manifest schemas by Python's jsonschema; a broken one must fail.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "packer/build/sha256.h"
#include "packer/cli/manifest_command.h"
#include "packer/cli/pack.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

class ManifestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> lines = WorkedExample::DescriptionLines();
    lines.pop_back();  // UninstallEntry=plain
    lines.insert(lines.end(), {"AppVersion=1.4.2", "AppPublisher=Brackwater",
                               "AppAboutUrl=https://example.org/marrowlight"});
    example_.WriteDescription(lines);
    PackOptions pack;
    pack.stub_path = example_.stub();
    pack.description_path = example_.description();
    pack.output_path = setup_;
    PackInstaller(pack);
    options_.identifier = "Brackwater.Marrowlight";
    options_.url = "https://example.org/marrowlight/setup.exe";
    options_.license = "Proprietary";
    options_.description = "Shows where the marrow light falls.";
    options_.folder = folder_.File("manifests");
  }

  std::string Manifest(const std::string& suffix) const {
    return options_.folder + "/Brackwater.Marrowlight" + suffix;
  }

  // The validator's exit code for the three manifests.
  int Validate() const {
    const std::string command =
        "python3 " TIDEMARK_MANIFEST_VALIDATOR " " TIDEMARK_WINGET_SCHEMAS " " + Manifest(".yaml") +
        " " + Manifest(".locale.en-US.yaml") + " " + Manifest(".installer.yaml");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
  const std::string setup_ = folder_.File("setup.exe");
  ManifestOptions options_;
};

TEST_F(ManifestTest, ValidAgainstTheSchemasAndABrokenOneFails) {
  ASSERT_TRUE(std::filesystem::is_directory(TIDEMARK_WINGET_SCHEMAS))
      << "the winget schemas are not at " TIDEMARK_WINGET_SCHEMAS
         " (configure with -DTIDEMARK_WINGET_SCHEMAS=FOLDER)";
  std::ostringstream out;
  WriteManifests(setup_, options_, out);
  EXPECT_EQ(Validate(), 0);

  std::ifstream file(Manifest(".installer.yaml"));
  const std::string installer((std::istreambuf_iterator<char>(file)), {});
  const Bytes bytes = ReadWholeFile(setup_);
  EXPECT_NE(installer.find("InstallerSha256: " + Sha256Hex(bytes.data(), bytes.size())),
            std::string::npos);
  EXPECT_NE(installer.find("ProductCode: \"Marrowlight\""), std::string::npos) << installer;

  const std::string broken = installer.substr(0, installer.find("InstallerType: exe")) +
                             "InstallerType: setup\n" + installer.substr(installer.find("Scope:"));
  std::ofstream(Manifest(".installer.yaml"), std::ios::trunc) << broken;
  EXPECT_EQ(Validate(), 1);
}

TEST_F(ManifestTest, EveryMissingValueIsNamed) {
  options_.license.clear();
  options_.identifier.clear();
  example_.WriteDescription(WorkedExample::DescriptionLines());  // no version, no publisher
  PackOptions pack;
  pack.stub_path = example_.stub();
  pack.description_path = example_.description();
  pack.output_path = setup_;
  PackInstaller(pack);
  std::ostringstream out;
  try {
    WriteManifests(setup_, options_, out);
    FAIL() << "written without the vendor's values";
  } catch (const std::exception& error) {
    const std::string message = error.what();
    for (const char* part : {"--id", "--license", "AppPublisher", "AppVersion"})
      EXPECT_NE(message.find(part), std::string::npos) << part << ": " << message;
    EXPECT_EQ(message.find("--url"), std::string::npos) << message;
  }
  EXPECT_FALSE(std::filesystem::exists(options_.folder));
}

}  // namespace
}  // namespace tidemark::test
