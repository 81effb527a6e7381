// A file that goes whole into one item before the product's files: the
// splash, the icon, the about and the licence text.
#pragma once

#include <cstdint>
#include <string>

namespace tidemark {

struct HeadFile {
  std::string path;  // empty: no such item (only the icon may be left out)
  int64_t size = 0;

  bool present() const { return !path.empty(); }
};

}  // namespace tidemark
