#include "packer/product/setup_keys.h"

#include "container/control_info.h"

namespace tidemark {

std::vector<const char*> SetupKeys() {
  std::vector<const char*> keys = {kSetupIconFileKey, kSetupVersionKey};
  for (const SetupVersionText& text : kSetupVersionTexts) keys.push_back(text.key);
  return keys;
}

std::string SetupKey(std::string_view key) {
  for (const char* known : SetupKeys()) {
    if (KeyNamesEqual(key, known)) return known;
  }
  return {};
}

}  // namespace tidemark
