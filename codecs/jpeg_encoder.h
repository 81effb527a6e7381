// Encoding pictures as JPEG, for the starter product's placeholders (and
// the pictures of the tests).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tidemark {

// Fills one row of `components` bytes per pixel (1: grey, 3: RGB) for row y.
using JpegRowFill = std::function<void(int y, uint8_t* row)>;

// A baseline JPEG of `width` x `height` pixels at `quality` (1 to 100),
// Huffman-coded, or arithmetic-coded for the tests of pictures the
// installer cannot show (the Windows tree's libjpeg has no such coder).
// Errors are programming faults here: libjpeg ends the process on them.
std::vector<uint8_t> EncodeJpeg(int width, int height, int components, int quality,
                                const JpegRowFill& fill_row, bool arithmetic_coding = false);

}  // namespace tidemark
