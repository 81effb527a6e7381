// The packer never destroys its input or anything but the file it makes,
// and never leaves a half-written file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "container/errors.h"
#include "packer/build/output_file.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/pack.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

namespace fs = std::filesystem;

class OutputSafetyTest : public ::testing::Test {
 protected:
  // Packs to `output`; returns the error message, "" on success.
  std::string PackTo(const std::string& output, PackProgress progress = nullptr) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = output;
    options.progress = std::move(progress);
    try {
      PackInstaller(options);
      return "";
    } catch (const Error& error) {
      return error.what();
    }
  }

  // Every name in the folder with "partial" in it.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder_.path())) {
      if (entry.path().filename().string().find("partial") != std::string::npos)
        found.push_back(entry.path());
    }
    return found;
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(OutputSafetyTest, AnOutputThatNamesAnInputIsRefusedAndTheInputStays) {
  for (const std::string& input :
       {example_.stub(), example_.description(), example_.File("splash.jpg"),
        example_.files() + "/docs/Manual.pdf", example_.files() + "/../files/Marrowlight.exe"}) {
    const Bytes before = ReadWholeFile(input);
    const std::string message = PackTo(input);
    EXPECT_NE(message.find("is the input"), std::string::npos) << input << ": " << message;
    EXPECT_EQ(ReadWholeFile(input), before) << input;
  }
  EXPECT_NE(PackTo(example_.files() + "/docs/setup.exe").find("lies in the files folder"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(example_.files() + "/docs/setup.exe"));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(OutputSafetyTest, OnlyARegularFileOrNothingIsReplaced) {
  const std::string device = folder_.File("null");
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
  }
  fs::create_directory(folder_.File("folder"));
  fs::create_symlink(example_.stub(), folder_.File("link.exe"));
  for (const char* name : {"null", "folder", "link.exe"}) {
    EXPECT_NE(PackTo(folder_.File(name)).find("the packer writes only over a regular file"),
              std::string::npos)
        << name;
  }
  EXPECT_TRUE(fs::is_character_file(device));
  EXPECT_TRUE(fs::is_symlink(folder_.File("link.exe")));

  const std::string setup = folder_.File("setup.exe");
  WriteFile(setup, ToBytes("an older installer"));
  fs::remove(example_.File("about.rtf"));
  EXPECT_NE(PackTo(setup), "");
  EXPECT_EQ(ReadWholeFile(setup), ToBytes("an older installer"));
  WriteFile(example_.File("about.rtf"), RtfOfSize("About", 253));
  EXPECT_EQ(PackTo(setup), "");
  EXPECT_NE(ReadWholeFile(setup), ToBytes("an older installer"));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(OutputSafetyTest, AnInterruptedBuildLeavesNothingBehind) {
  for (int signal_number : {SIGINT, SIGTERM}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTemporaryFilesOnSignals();
      PackTo(folder_.File("setup.exe"),
             [signal_number](int64_t, int64_t) { raise(signal_number); });
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << status;
    EXPECT_FALSE(fs::exists(folder_.File("setup.exe")));
    EXPECT_TRUE(Leftovers().empty());
  }
}

TEST_F(OutputSafetyTest, AWriteThatFailsNamesTheFileAndTheReason) {
  // A limit on the size of files fails writes as a full disk does.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {50000, 50000};
    setrlimit(RLIMIT_FSIZE, &limit);
    WriteFile(folder_.File("message.txt"), ToBytes(PackTo(folder_.File("setup.exe"))));
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  const Bytes message = ReadWholeFile(folder_.File("message.txt"));
  const std::string text(message.begin(), message.end());
  EXPECT_EQ(text.rfind("cannot write \"" + folder_.File("setup.exe") + "\"", 0), 0u) << text;
  EXPECT_NE(text.find(std::strerror(EFBIG)), std::string::npos) << text;
  EXPECT_FALSE(fs::exists(folder_.File("setup.exe")));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(OutputSafetyTest, ExtractReplacesFilesOnlyWhenForced) {
  const std::string setup = folder_.File("setup.exe");
  ASSERT_EQ(PackTo(setup), "");
  const std::string target = folder_.File("out");
  std::ostringstream out;
  ExtractInstaller(setup, target, false, out);
  WriteFile(target + "/docs/Manual.pdf", ToBytes("edited"));
  try {
    ExtractInstaller(setup, target, false, out);
    ADD_FAILURE() << "extracted over existing files";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("--force"), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadWholeFile(target + "/docs/Manual.pdf"), ToBytes("edited"));
  ExtractInstaller(setup, target, true, out);
  EXPECT_EQ(ReadWholeFile(target + "/docs/Manual.pdf"),
            ReadWholeFile(example_.files() + "/docs/Manual.pdf"));
  EXPECT_THROW(ExtractInstaller(setup, "", true, out), Error);
  EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
}  // namespace tidemark::test
