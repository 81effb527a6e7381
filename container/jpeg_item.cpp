#include <csetjmp>
#include <cstdio>
#include <string>

#include "container/errors.h"
#include "container/items.h"
#include "container/picture_bounds.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

namespace tidemark {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
// It jumps back to the setjmp of the decoding step that was running. Those
// steps are plain C-style functions without objects that need destruction,
// so the jump skips no destructor.
//
// On 64-bit Windows setjmp normally records its frame, and longjmp then
// unwinds to it as an exception would, which takes unwind data for every
// frame in between; the Windows build of libjpeg has none (see
// cmake/MingwJpegTurbo.cmake). Without a frame the jump only restores the
// registers, which is all a jump out of libjpeg needs.
#if defined(_WIN64) && defined(__MINGW64__)
#define TIDEMARK_JPEG_SETJMP(resume) _setjmp((resume), nullptr)
#else
#define TIDEMARK_JPEG_SETJMP(resume) setjmp(resume)
#endif
struct JpegErrorManager {
  jpeg_error_mgr base;
  jmp_buf resume;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  longjmp(manager->resume, 1);
}

// Warnings (corrupt data that libjpeg can live with) are not shown anywhere.
void OnJpegMessage(j_common_ptr) {}

#if defined(TIDEMARK_JPEG_BRIEF_ERRORS)
// The stub never shows libjpeg's texts (a picture that fails to decode is
// left out), so it does without their table (about 6 KB): the text names
// only the error's number.
void FormatBriefMessage(j_common_ptr info, char* buffer) {
  static const char kPrefix[] = "JPEG error ";
  size_t length = 0;
  for (const char* c = kPrefix; *c != '\0'; ++c) buffer[length++] = *c;
  char digits[12];
  size_t count = 0;
  unsigned code = static_cast<unsigned>(info->err->msg_code);
  do {
    digits[count++] = static_cast<char>('0' + code % 10);
    code /= 10;
  } while (code != 0);
  while (count > 0) buffer[length++] = digits[--count];
  buffer[length] = '\0';
}
void EmitNothing(j_common_ptr, int) {}
void ResetErrors(j_common_ptr info) {
  info->err->num_warnings = 0;
  info->err->msg_code = 0;
}
jpeg_error_mgr* InitErrorManager(jpeg_error_mgr* errors) {
  *errors = jpeg_error_mgr{};
  errors->emit_message = EmitNothing;
  errors->format_message = FormatBriefMessage;
  errors->reset_error_mgr = ResetErrors;
  return errors;
}
#else
jpeg_error_mgr* InitErrorManager(jpeg_error_mgr* errors) { return jpeg_std_error(errors); }
#endif

// A source manager over bytes in memory; portable to libjpeg versions that
// lack jpeg_mem_src.
void InitSource(j_decompress_ptr) {}
boolean FillInputBuffer(j_decompress_ptr info) {
  // The data has ended early: hand out an end-of-image marker, as libjpeg's
  // own sources do, so that it finishes with a warning instead of looping.
  static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  info->src->next_input_byte = kEndOfImage;
  info->src->bytes_in_buffer = 2;
  return TRUE;
}
void SkipInputData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = info->src;
  while (count > static_cast<long>(src->bytes_in_buffer)) {
    count -= static_cast<long>(src->bytes_in_buffer);
    FillInputBuffer(info);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}
void TermSource(j_decompress_ptr) {}

struct JpegDecoder {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  jpeg_source_mgr source;
  bool created;
};

// Each step returns false after a libjpeg error, whose text is then in
// decoder->errors.message.
// Reads the header and works out the output size, without starting: the
// start allocates for the whole picture (a progressive one buffers all its
// coefficients), so the size must be checked first.
bool ReadHeader(JpegDecoder* decoder, const uint8_t* data, size_t size) {
  decoder->info.err = InitErrorManager(&decoder->errors.base);
  decoder->errors.base.error_exit = OnJpegError;
  decoder->errors.base.output_message = OnJpegMessage;
  decoder->errors.message[0] = '\0';
  if (TIDEMARK_JPEG_SETJMP(decoder->errors.resume)) return false;
  jpeg_create_decompress(&decoder->info);
  decoder->created = true;
  // The coefficient buffers of a progressive picture are the decoder's only
  // allocation that grows with the picture beyond its rows; past this, it
  // fails instead (it has no backing store to spill to).
  decoder->info.mem->max_memory_to_use = kMaxPictureDecoderMemory;
  decoder->source.next_input_byte = data;
  decoder->source.bytes_in_buffer = size;
  decoder->source.init_source = InitSource;
  decoder->source.fill_input_buffer = FillInputBuffer;
  decoder->source.skip_input_data = SkipInputData;
  decoder->source.resync_to_restart = jpeg_resync_to_restart;
  decoder->source.term_source = TermSource;
  decoder->info.src = &decoder->source;
  jpeg_read_header(&decoder->info, TRUE);
  decoder->info.out_color_space = JCS_RGB;
  decoder->info.scale_num = 1;
  decoder->info.scale_denom = 1;
  jpeg_calc_output_dimensions(&decoder->info);
  return true;
}

// A ByteSink for a picture's data that is larger than any picture may be:
// it keeps nothing, and ends the item once the bound is passed.
class OversizeSink : public ByteSink {
 public:
  void Write(const void*, size_t count) override {
    taken_ += count;
    if (taken_ > static_cast<size_t>(kMaxPictureDataSize)) throw Error(kPictureDataTooLarge);
  }

 private:
  size_t taken_ = 0;
};

bool StartDecoding(JpegDecoder* decoder) {
  if (TIDEMARK_JPEG_SETJMP(decoder->errors.resume)) return false;
  jpeg_start_decompress(&decoder->info);
  return true;
}

bool ReadRows(JpegDecoder* decoder, uint8_t* pixels) {
  if (TIDEMARK_JPEG_SETJMP(decoder->errors.resume)) return false;
  jpeg_decompress_struct* info = &decoder->info;
  const size_t stride = static_cast<size_t>(info->output_width) * 3;
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = pixels + stride * info->output_scanline;
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

class DecoderGuard {
 public:
  explicit DecoderGuard(JpegDecoder& decoder) : decoder_(decoder) {}
  ~DecoderGuard() {
    if (decoder_.created) jpeg_destroy_decompress(&decoder_.info);
  }
  DecoderGuard(const DecoderGuard&) = delete;
  DecoderGuard& operator=(const DecoderGuard&) = delete;

 private:
  JpegDecoder& decoder_;
};

}  // namespace

RgbImage LoadJpegItem(ByteSource& source, int32_t size) {
  if (size > kMaxPictureDataSize) {
    // On purpose: the stream is still read, without keeping it, up to the
    // bound, so that a size that only claims too much leaves the source
    // after the stream, as any picture that fails to decode does.
    OversizeSink oversize;
    InflateItem(source, oversize, size);
    throw Error(kPictureDataTooLarge);
  }
  MemorySink compressed;
  InflateItem(source, compressed, size);
  const std::vector<uint8_t>& bytes = compressed.bytes();

  JpegDecoder decoder{};
  DecoderGuard guard(decoder);
  if (!ReadHeader(&decoder, bytes.data(), bytes.size())) throw Error(decoder.errors.message);
  const uint64_t width = decoder.info.output_width;
  const uint64_t height = decoder.info.output_height;
  if (decoder.info.output_components != 3) throw Error("Unsupported JPEG image");
  // Checked before the start, which allocates for the whole picture: a
  // header can claim up to 65500 x 65500 pixels in a few hundred bytes.
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    throw Error(kPictureTooLarge);
  }
  if (!StartDecoding(&decoder)) {
    if (decoder.errors.base.msg_code == JERR_NO_BACKING_STORE) {
      throw Error(kPictureNeedsTooMuchMemory);
    }
    throw Error(decoder.errors.message);
  }
  RgbImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(width * height * 3);
  if (!ReadRows(&decoder, image.pixels.data())) throw Error(decoder.errors.message);
  image.patched = decoder.errors.base.num_warnings > 0;
  return image;
}

}  // namespace tidemark
