// How a JPEG's pictures are entropy-coded, read from its frame marker.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tidemark {

// True when the first frame marker (SOF9 to SOF15 but for the DAC marker)
// says arithmetic coding; false for Huffman coding and for bytes that hold
// no readable frame marker, which the decoder judges.
bool IsArithmeticCodedJpeg(const uint8_t* bytes, size_t size);

}  // namespace tidemark
