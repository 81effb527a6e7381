// Sizes in a container are claims, not facts: a 1 MiB installer whose
// control information claims a 2 GiB item must fail after reading what is
// there, without ever asking for 2 GiB. Two watches prove it: this program's
// operator new counts every C++ allocation, and a child process runs the
// whole load with its address space capped (not under AddressSanitizer,
// which reserves terabytes of shadow memory for itself).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>
#include <string>

#include "container/errors.h"
#include "container/items.h"
#include "container/picture_bounds.h"
#include "tests/native/container/test_support.h"
#include "tests/native/damage/startup_replay.h"

namespace {

// Live C++ heap bytes, the peak since the last reset, and the largest single
// request. Each block carries its size in front of it.
std::atomic<size_t> live_bytes{0};
std::atomic<size_t> peak_bytes{0};
std::atomic<size_t> largest_request{0};
constexpr size_t kHeader = alignof(std::max_align_t);

void RaiseTo(std::atomic<size_t>& value, size_t candidate) {
  size_t seen = value.load();
  while (candidate > seen && !value.compare_exchange_weak(seen, candidate)) {
  }
}

}  // namespace

void* operator new(size_t size) {
  RaiseTo(largest_request, size);
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<size_t*>(block) = size;
  RaiseTo(peak_bytes, live_bytes += size);
  return static_cast<char*>(block) + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  live_bytes -= *static_cast<size_t*>(block);
  std::free(block);
}

void* operator new[](size_t size) { return operator new(size); }
void operator delete[](void* pointer) noexcept { operator delete(pointer); }
void operator delete(void* pointer, size_t) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, size_t) noexcept { operator delete(pointer); }

namespace tidemark::test {
namespace {

constexpr size_t kMiB = size_t{1} << 20;
constexpr char kClaim[] = "2147483647";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// What the C++ heap did while `work` ran.
struct HeapUse {
  size_t peak_growth = 0;
  size_t largest_request = 0;
};

HeapUse Watch(const std::function<void()>& work) {
  const size_t before = live_bytes.load();
  peak_bytes = before;
  largest_request = 0;
  work();
  return {peak_bytes.load() - before, largest_request.load()};
}

// Runs `work` in a child whose address space may grow by `headroom` bytes
// beyond what it has at the fork; returns the text the child reports.
std::string InCappedChild(size_t headroom, const std::function<std::string()>& work) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlim_t cap =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + headroom;
    const rlimit limit{cap, cap};
    std::string report;
    if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0) {
      report = "could not cap the address space";
    } else {
      try {
        report = work();
      } catch (const std::bad_alloc&) {
        report = "std::bad_alloc";
      }
    }
    if (write(pipe_ends[1], report.data(), report.size()) < 0) _exit(2);
    _exit(0);
  }
  close(pipe_ends[1]);
  std::string report;
  char buffer[256];
  for (ssize_t got; (got = read(pipe_ends[0], buffer, sizeof buffer)) > 0;)
    report.append(buffer, got);
  close(pipe_ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += " (child did not end normally)";
  return report;
}

// The 1 MiB installer: a head whose items are small except `big_key`'s,
// which holds 1 MiB, and whose value claims 2 GiB. `big_key` may be a head
// key or "f1".
Bytes InstallerClaiming(const std::string& big_key) {
  const Bytes big_content = RandomBytes(kMiB, 5);
  const Bytes big_stream = Deflate(big_content, 0);
  const Bytes splash = EncodeJpeg(16, 8);
  const Bytes icon = EncodeJpeg(8, 8);
  const Bytes about = ToBytes("{\\rtf1 About}");
  const Bytes licence = ToBytes("Licence");
  const Bytes first_file = TextLikeBytes(200, 8);
  const Bytes file = TextLikeBytes(300, 9);
  auto amount = [&](const std::string& key, size_t real) {
    return key == big_key ? std::string(kClaim) : std::to_string(real);
  };
  auto value = [&](const std::string& key, size_t real) { return key + "=" + amount(key, real); };
  ContainerParts parts;
  parts.lines = {value("Splash", splash.size()),
                 value("Icon", icon.size()),
                 value("InfoAbout", about.size()),
                 value("InfoInstall", licence.size()),
                 "Filecount=2",
                 "f1=<first.bin><" + amount("f1", first_file.size()) + ">",
                 "f2=<Tiny.exe><" + std::to_string(file.size()) + ">"};
  auto item = [&](const std::string& key, const Bytes& small, bool compressed) {
    if (key == big_key) return compressed ? big_stream : big_content;
    return compressed ? Deflate(small) : small;
  };
  parts.items = {item("Splash", splash, true),    item("Icon", icon, true),
                 item("InfoAbout", about, false), item("InfoInstall", licence, false),
                 item("f1", first_file, true),    Deflate(file)};
  return BuildPlainContainer(parts);
}

std::string Ending(const ReplayResult& result) {
  if (!result.loaded()) return result.failure;
  return "clean load, " + std::to_string(result.pictures_refused) + " pictures left empty";
}

std::string LoadEnding(const Bytes& installer) {
  ExeImage image;
  image.Assign(installer);
  return Ending(ReplayInstaller(image, "setup.exe"));
}

struct Claim {
  const char* key;
  const char* ending;  // the installer's own, after reading what is there
};

void PrintTo(const Claim& claim, std::ostream* out) { *out << claim.key << " claims 2 GiB"; }

class ClaimedSizeTest : public ::testing::TestWithParam<Claim> {};

TEST_P(ClaimedSizeTest, FailsAfterReadingWhatIsThereWithoutAllocatingTheClaim) {
  const Bytes installer = InstallerClaiming(GetParam().key);
  ASSERT_GT(installer.size(), kMiB);
  ASSERT_LT(installer.size(), kMiB + 64 * 1024);

  ExeImage image;
  image.Assign(installer);
  std::string ending;
  const HeapUse use = Watch([&] { ending = Ending(ReplayInstaller(image, "setup.exe")); });
  EXPECT_EQ(ending, GetParam().ending);
  // The 1 MiB item passes through buffers of its own size at most (a
  // picture's content is held whole), never through one of the claimed size.
  EXPECT_LE(use.largest_request, 2 * kMiB);
  EXPECT_LE(use.peak_growth, 4 * kMiB);

  if (kUnderAddressSanitizer) return;
  EXPECT_EQ(InCappedChild(32 * kMiB, [&] { return LoadEnding(installer); }), GetParam().ending);
}

// A picture that claims 2 GiB is left empty and reading goes on after its
// stream, so the load itself is clean; texts and files end the load.
INSTANTIATE_TEST_SUITE_P(Keys, ClaimedSizeTest,
                         ::testing::Values(Claim{"Splash", "clean load, 1 pictures left empty"},
                                           Claim{"Icon", "clean load, 1 pictures left empty"},
                                           Claim{"InfoAbout", kStreamReadError},
                                           Claim{"InfoInstall", kStreamReadError},
                                           Claim{"f1", kStreamReadError}),
                         [](const ::testing::TestParamInfo<Claim>& info) {
                           return std::string(info.param.key);
                         });

// A JPEG's frame header claims its picture's size in four bytes. Turns a
// small baseline JPEG into one claiming `side` x `side` pixels, optionally
// marked progressive (whose decoder buffers the whole picture's coefficients
// before the first row).
Bytes JpegClaimingHugePicture(bool progressive, uint16_t side) {
  Bytes jpeg = EncodeJpeg(16, 8);
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      if (progressive) jpeg[i + 1] = 0xC2;
      for (size_t field : {i + 5, i + 7}) {  // height, width; most significant byte first
        jpeg[field] = static_cast<uint8_t>(side >> 8);
        jpeg[field + 1] = static_cast<uint8_t>(side);
      }
      return jpeg;
    }
  }
  ADD_FAILURE() << "no baseline frame header";
  return jpeg;
}

// Loads `item` as a picture item of `content_size` bytes; how that ends.
std::string LoadingEnding(const Bytes& item, size_t content_size) {
  MemorySource source(item.data(), item.size());
  try {
    LoadJpegItem(source, static_cast<int32_t>(content_size));
    return "decoded";
  } catch (const Error& error) {
    return error.what();
  }
}

struct HugePicture {
  const char* name;
  bool progressive;
  uint16_t side;
};

void PrintTo(const HugePicture& picture, std::ostream* out) { *out << picture.name; }

class HugePictureTest : public ::testing::TestWithParam<HugePicture> {};

TEST_P(HugePictureTest, IsRefusedBeforeTheDecoderAllocatesForIt) {
  const Bytes jpeg = JpegClaimingHugePicture(GetParam().progressive, GetParam().side);
  const Bytes item = Deflate(jpeg);
  auto load = [&] { return LoadingEnding(item, jpeg.size()); };
  std::string ending;
  const HeapUse use = Watch([&] { ending = load(); });
  EXPECT_EQ(ending, kPictureTooLarge);
  EXPECT_LE(use.peak_growth, kMiB);
  if (kUnderAddressSanitizer) return;
  EXPECT_EQ(InCappedChild(32 * kMiB, load), kPictureTooLarge);
}

INSTANTIATE_TEST_SUITE_P(Frames, HugePictureTest,
                         ::testing::Values(HugePicture{"Baseline", false, 65500},
                                           HugePicture{"Progressive", true, 65500},
                                           HugePicture{"Progressive8192", true, 8192}),
                         [](const ::testing::TestParamInfo<HugePicture>& info) {
                           return std::string(info.param.name);
                         });

// A splash of some 64 KiB that inflates to 64 MiB: it is read up to
// the bound on a picture's data, never held, and refused.
TEST(PictureBombTest, IsRefusedWithoutHoldingItsData) {
  const size_t inflated = 64 * kMiB;
  Bytes item;
  {
    const Bytes zeros(inflated, 0);
    item = Deflate(zeros, 9);
  }
  ASSERT_LT(item.size(), kMiB);
  auto load = [&] { return LoadingEnding(item, inflated); };
  std::string ending;
  const HeapUse use = Watch([&] { ending = load(); });
  EXPECT_EQ(ending, kPictureDataTooLarge);
  EXPECT_LE(use.peak_growth, kMiB);
  if (kUnderAddressSanitizer) return;
  EXPECT_EQ(InCappedChild(16 * kMiB, load), kPictureDataTooLarge);
}

}  // namespace
}  // namespace tidemark::test
