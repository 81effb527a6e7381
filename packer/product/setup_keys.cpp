#include "packer/product/setup_keys.h"

#include "container/control_info.h"

namespace tidemark {

std::string SetupKey(std::string_view key) {
  for (const char* known : {kSetupIconFileKey, kSetupVersionKey}) {
    if (KeyNamesEqual(key, known)) return known;
  }
  for (const SetupVersionText& text : kSetupVersionTexts) {
    if (KeyNamesEqual(key, text.key)) return text.key;
  }
  return {};
}

}  // namespace tidemark
