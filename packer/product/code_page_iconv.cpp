#include <iconv.h>

#include <cerrno>

#include "container/errors.h"
#include "packer/product/code_page_conversion.h"

namespace tidemark {
namespace {

class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw Error("the system cannot convert from " + from + " to " + to + " (iconv)");
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  size_t Convert(std::string_view input, std::string& output) {
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    char buffer[256];
    while (in_left > 0) {
      char* out = buffer;
      size_t out_left = sizeof buffer;
      const size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
      output.append(buffer, static_cast<size_t>(out - buffer));
      if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return input.size() - in_left;
  }

 private:
  iconv_t handle_;
};

}  // namespace

size_t ConvertText(int code_page, bool to_code_page, std::string_view input, std::string& output) {
  const std::string name = "CP" + std::to_string(code_page);
  Converter converter(to_code_page ? name : "UTF-8", to_code_page ? "UTF-8" : name);
  return converter.Convert(input, output);
}

}  // namespace tidemark
