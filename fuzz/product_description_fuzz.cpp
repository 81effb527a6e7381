// Arbitrary text as a product description. Parsing either succeeds with
// every vendor key given once, or raises an error that names the line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "container/control_info.h"
#include "container/errors.h"
#include "fuzz/fuzz_fault.h"
#include "packer/product/product_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tidemark;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const ProductDescription description = ParseProductDescription(text);
    const auto& settings = description.settings;
    for (size_t i = 0; i < settings.size(); ++i) {
      fuzz::Expect(!settings[i].key.empty() && settings[i].line > 0,
                   "a setting without key or line");
      for (size_t j = 0; j < i; ++j) {
        fuzz::Expect(!KeyNamesEqual(settings[i].key, settings[j].key),
                     "a key given twice was kept");
      }
      fuzz::Expect(description.Find(settings[i].key) == &settings[i], "Find misses a setting");
    }
  } catch (const Error& error) {
    const std::string message = error.what();
    fuzz::Expect(message.rfind("product description, line ", 0) == 0,
                 "an error that names no line: " + message);
  }
  return 0;
}
