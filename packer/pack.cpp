#include "packer/pack.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "container/errors.h"
#include "container/file_sink.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "packer/block_deflate.h"
#include "packer/control_lines.h"
#include "packer/installer_writer.h"
#include "packer/item_blocks.h"
#include "packer/ordered_work_queue.h"
#include "packer/product.h"

namespace tidemark {
namespace {

// Blocks under way per compressing thread: enough to keep every thread busy
// while the oldest block is written, few enough to bound the memory used.
constexpr size_t kBlocksPerJob = 4;

// Copies the stub (with the product's icon and version information when it
// has any), refusing one that holds either start marker: the installer
// would find its container in the wrong place.
void CopyStub(const std::string& path, const SetupLook& look, InstallerWriter& writer) {
  const std::unique_ptr<ImageStorage> read = ReadFileStorage(path);
  const std::vector<uint8_t> stub =
      DressStub(std::vector<uint8_t>(read->data(), read->data() + read->size()), path, look);
  MarkerWatch plain(StartMarker());
  MarkerWatch scrambled(ScrambledStartMarker());
  for (size_t done = 0; done < stub.size(); done += kDeflateBlockSize) {
    const size_t got = std::min(kDeflateBlockSize, stub.size() - done);
    const uint8_t* piece = stub.data() + done;
    if (plain.Feed(piece, got) || scrambled.Feed(piece, got)) {
      const int64_t at = plain.found() ? plain.found_at() : scrambled.found_at();
      throw Error("stub \"" + path + "\" holds a start marker at offset " + std::to_string(at) +
                  "; the installer would look for its container there");
    }
    writer.WriteStub(piece, got);
  }
}

std::vector<PackItem> ItemsOf(const Product& product) {
  std::vector<PackItem> items;
  items.push_back({product.splash.path, product.splash.size, true});
  if (product.icon.present()) items.push_back({product.icon.path, product.icon.size, true});
  items.push_back({product.about.path, product.about.size, false});
  items.push_back({product.license.path, product.license.size, false});
  for (const ProductFile& file : product.files) items.push_back({file.path, file.size, true});
  return items;
}

int64_t TotalSize(const std::vector<PackItem>& items) {
  int64_t total = 0;
  for (const PackItem& item : items) total += item.size;
  return total;
}

void WriteItems(const std::vector<PackItem>& items, const PackOptions& options,
                InstallerWriter& writer) {
  const int64_t total = TotalSize(items);
  ItemBlockReader reader(items);
  ItemAssembler assembler(writer, options.level);
  OrderedWorkQueue<ItemBlock> queue(options.jobs, kBlocksPerJob * options.jobs,
                                    [level = options.level](ItemBlock& block) { block.Compress(level); });
  int64_t done = 0;
  auto write_oldest = [&] {
    const std::unique_ptr<ItemBlock> block = queue.TakeOldest();
    assembler.Add(*block);
    done += static_cast<int64_t>(block->content_size());
    if (options.progress) options.progress(done, total);
  };
  while (std::unique_ptr<ItemBlock> block = reader.Next()) {
    if (queue.Full()) write_oldest();
    queue.Submit(std::move(block));
  }
  while (!queue.Empty()) write_oldest();
}

// Removes the temporary file unless the build completed.
class TemporaryOutput {
 public:
  explicit TemporaryOutput(std::string path) : path_(std::move(path)) {}
  ~TemporaryOutput() {
    if (!kept_) std::remove(path_.c_str());
  }
  TemporaryOutput(const TemporaryOutput&) = delete;
  TemporaryOutput& operator=(const TemporaryOutput&) = delete;

  const std::string& path() const { return path_; }
  void MoveTo(const std::string& destination) {
    std::error_code error;
    std::filesystem::remove(destination, error);
    std::filesystem::rename(path_, destination, error);
    if (error) throw Error("cannot move the installer to \"" + destination + "\": " + error.message());
    kept_ = true;
  }

 private:
  std::string path_;
  bool kept_ = false;
};

}  // namespace

PackResult PackInstaller(const PackOptions& options) {
  if (options.level < 0 || options.level > 9) throw Error("the level must be 0 to 9");
  if (options.jobs < 1) throw Error("the number of jobs must be at least 1");
  const Product product = LoadProduct(options.description_path);
  const std::string control_text = ControlText(BuildControlLines(product));
  const std::vector<PackItem> items = ItemsOf(product);

  TemporaryOutput temporary(options.output_path + ".partial");
  PackResult result;
  {
    const std::unique_ptr<FileSink> file = CreateFileSink(temporary.path());
    InstallerWriter writer(*file, options.scrambled);
    CopyStub(options.stub_path, product.setup, writer);
    writer.WriteStartMarker();
    writer.WriteContainer(control_text.data(), control_text.size());
    WriteItems(items, options, writer);
    writer.Finish();
    file->Close();
    result.installer_size = writer.written();
  }
  temporary.MoveTo(options.output_path);
  result.product_bytes = TotalSize(items);
  return result;
}

}  // namespace tidemark
