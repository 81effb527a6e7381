// Makes a complete raw deflate stream joinable: its last block no longer
// ends the stream and its end falls on a byte boundary, so that another raw
// deflate piece may follow it. A compressor without flushes (libdeflate)
// yields pieces that join as zlib's Z_SYNC_FLUSH pieces do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tidemark {

// Inflates `deflated` and checks that it gives exactly the `size` bytes at
// `content`; clears the final-block bit of its last block and appends an
// empty stored block (the bytes a sync flush writes). Raises Error when the
// piece does not inflate to `content`.
void MakeNonFinal(std::vector<uint8_t>& deflated, const uint8_t* content, size_t size);

}  // namespace tidemark
