#include "packer/cli/pack.h"

#include <string>
#include <vector>

#include "codecs/block_deflate.h"
#include "codecs/near_optimal_deflate.h"
#include "container/errors.h"
#include "container/file_sink.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "packer/build/installer_writer.h"
#include "packer/build/item_blocks.h"
#include "packer/build/ordered_work_queue.h"
#include "packer/build/output_file.h"
#include "packer/product/control_lines.h"
#include "packer/product/product.h"
#include "packer/stub/stub_check.h"
#include "packer/stub/stub_dressing.h"

namespace tidemark {
namespace {

// Blocks under way per compressing thread: enough to keep every thread busy
// while the oldest block is written, few enough to bound the memory used
// (at libdeflate's levels 4 chunks of 2 MiB, and their output, per thread).
constexpr size_t kBlocksPerJob = 4;

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
  ItemBlockReader reader(items, BlockShapeFor(options.level));
  ItemAssembler assembler(writer, options.level);
  OrderedWorkQueue<ItemBlock> queue(
      options.jobs, kBlocksPerJob * options.jobs,
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

std::vector<std::string> InputsOf(const PackOptions& options, const std::vector<PackItem>& items) {
  std::vector<std::string> inputs = {options.stub_path, options.description_path};
  for (const PackItem& item : items) inputs.push_back(item.path);
  return inputs;
}

}  // namespace

PackResult PackInstaller(const PackOptions& options) {
  if (options.level < 0 || options.level > kHighestLevel) {
    throw Error("the level must be 0 to " + std::to_string(kHighestLevel));
  }
  if (options.jobs < 1) throw Error("the number of jobs must be at least 1");
  const CodePage code_page(options.code_page);
  const Product product = LoadProduct(options.description_path, code_page, options.overrides);
  const BareStub stub = ReadBareStub(options.stub_path);
  // The product's icon and version information go into the stub's
  // resources; without them the stub goes in as it is.
  const std::vector<uint8_t> dressed_stub = DressStub(stub.bytes, options.stub_path, product.setup);
  const std::string control_text = ControlText(BuildControlLines(product));
  const std::vector<PackItem> items = ItemsOf(product);
  CheckOutputPath(options.output_path, InputsOf(options, items), product.description.files_folder);

  PackResult result;
  OutputFile output(options.output_path);
  {
    InstallerWriter writer(output.sink(), options.scrambled);
    writer.WriteStub(dressed_stub.data(), dressed_stub.size());
    writer.WriteStartMarker();
    writer.WriteContainer(control_text.data(), control_text.size());
    WriteItems(items, options, writer);
    writer.Finish();
    result.installer_size = writer.written();
  }
  output.Commit();
  result.product_bytes = TotalSize(items);
  result.stored_bytes =
      result.installer_size -
      static_cast<int64_t>(dressed_stub.size() + kStartMarkerLength + control_text.size());
  result.files = static_cast<int>(product.files.size());
  result.items = static_cast<int>(items.size());
  result.warnings = product.warnings;
  if (stub.signature_dropped) {
    result.notes.push_back(
        "the stub's Authenticode signature was left out (appending the container breaks it); "
        "sign the finished installer instead");
  }
  return result;
}

}  // namespace tidemark
