// The installer depends only on its inputs and the level: never on the
// number of compressing threads, on how files fall into blocks, or on the
// order in which the threads finish.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "codecs/block_deflate.h"
#include "codecs/near_optimal_deflate.h"
#include "container/container_walk.h"
#include "container/errors.h"
#include "container/items.h"
#include "packer/build/item_blocks.h"
#include "packer/build/marker_watch.h"
#include "packer/build/ordered_work_queue.h"
#include "packer/cli/pack.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

class ParallelOutputTest : public ::testing::Test {
 protected:
  ParallelOutputTest() {
    // Several blocks and chunks, with a length that falls on no bound and
    // one that falls on both.
    WriteFile(example_.files() + "/Marrowlight.exe",
              Concat({TextLikeBytes(kNearOptimalChunkSize + 5 * kDeflateBlockSize + 12345, 11),
                      RandomBytes(300000, 12)}));
    std::filesystem::create_directories(example_.files() + "/data");
    WriteFile(example_.files() + "/data/exact.bin", TextLikeBytes(kNearOptimalChunkSize, 13));
  }

  Bytes Pack(int jobs, int level = PackOptions().level) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File("setup.exe");
    options.jobs = jobs;
    options.level = level;
    PackInstaller(options);
    return ReadWholeFile(options.output_path);
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(ParallelOutputTest, SameInstallerWhateverTheNumberOfJobs) {
  for (int level : {9, PackOptions().level}) {
    SCOPED_TRACE(level);
    EXPECT_EQ(Pack(3, level), Pack(1, level));
  }
}

TEST_F(ParallelOutputTest, MultiBlockItemsInflateToTheirFilesAtEveryLevel) {
  for (int level : {0, 1, 6, 9, kHighestLevel}) {
    SCOPED_TRACE(level);
    const Bytes installer = Pack(3, level);
    ExeImage image;
    image.Assign(installer);
    ControlInfo info;
    WalkContainerHead(image, "setup.exe", info);
    // Files in byte order of their names: Marrowlight.exe, data\exact.bin, docs\..., samples\...
    EXPECT_EQ(info.Value("f2"), "<data\\exact.bin><" + std::to_string(kNearOptimalChunkSize) + ">");
    for (const char* name : {"/Marrowlight.exe", "/data/exact.bin"}) {
      const Bytes expected = ReadWholeFile(example_.files() + name);
      MemorySink content;
      InflateItem(image, content, static_cast<int32_t>(expected.size()));
      EXPECT_EQ(content.bytes(), expected) << name;
    }
  }
}

TEST(OrderedWorkQueueTest, HandsJobsBackInSubmissionOrder) {
  OrderedWorkQueue<int> queue(4, 8, [](int& job) {
    // Later jobs finish first.
    std::this_thread::sleep_for(std::chrono::microseconds(200 * (50 - job % 50)));
    job = job * 10;
  });
  std::vector<int> results;
  for (int i = 0; i < 100; ++i) {
    if (queue.Full()) results.push_back(*queue.TakeOldest());
    queue.Submit(std::make_unique<int>(i));
  }
  while (!queue.Empty()) results.push_back(*queue.TakeOldest());
  ASSERT_EQ(results.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(results[i], i * 10);
}

TEST(OrderedWorkQueueTest, FailureOfAJobReachesTheCallerInItsTurn) {
  OrderedWorkQueue<int> queue(2, 4, [](int& job) {
    if (job == 1) throw Error("job 1 failed");
  });
  for (int i = 0; i < 3; ++i) queue.Submit(std::make_unique<int>(i));
  EXPECT_EQ(*queue.TakeOldest(), 0);
  EXPECT_THROW(queue.TakeOldest(), Error);
  EXPECT_EQ(*queue.TakeOldest(), 2);
}

TEST(MarkerWatchTest, FindsTheFirstOccurrenceWhereverPiecesAreCut) {
  const std::string marker = "d>a>t>a>e>n>d";
  const Bytes stream =
      Concat({ToBytes("xxd>a>t>a>e>n"), ToBytes("yd>a>t>a>e>n>d"), ToBytes("d>a>t>a>e>n>d")});
  for (size_t piece = 1; piece <= stream.size(); ++piece) {
    MarkerWatch watch(marker);
    for (size_t at = 0; at < stream.size(); at += piece) {
      watch.Feed(stream.data() + at, std::min(piece, stream.size() - at));
    }
    ASSERT_TRUE(watch.found()) << piece;
    EXPECT_EQ(watch.found_at(), 14) << piece;
  }
  MarkerWatch absent(marker);
  EXPECT_FALSE(absent.Feed(stream.data(), 13));
}

}  // namespace
}  // namespace tidemark::test
