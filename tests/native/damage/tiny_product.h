// A small product packed by the packer itself, for damage tests and fuzz
// seeds: a 64-byte stub, a little splash and icon, short texts and three
// small files, a few KiB in all.
#pragma once

#include <cstdint>

#include "tests/native/container/test_support.h"

namespace tidemark::test {

Bytes PackTinyProduct(bool scrambled);

// Offset of the first file item, as a clean start-up finds it.
int64_t PayloadStartOf(const Bytes& installer);

}  // namespace tidemark::test
