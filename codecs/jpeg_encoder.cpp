#include "codecs/jpeg_encoder.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace tidemark {

std::vector<uint8_t> EncodeJpeg(int width, int height, int components, int quality,
                                const JpegRowFill& fill_row, bool arithmetic_coding) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.arith_code = arithmetic_coding ? TRUE : FALSE;
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * static_cast<size_t>(components));
  while (info.next_scanline < info.image_height) {
    fill_row(static_cast<int>(info.next_scanline), row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

}  // namespace tidemark
