// Products on disk for packer tests: the Marrowlight worked example with
// its exact sizes, a stub, and a way to run the tidemark program itself.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tests/native/container/test_support.h"

namespace tidemark::test {

// A JPEG of exactly `size` bytes: a small picture padded with comment segments.
Bytes JpegOfSize(int width, int height, size_t size);

// Rich text of exactly `size` bytes with `heading` as its first paragraph.
Bytes RtfOfSize(const std::string& heading, size_t size);

// A bare stub as the packer accepts it.
Bytes StubBytes();

// The worked example: splash 13267, icon 2260, about 253, licence 667 bytes,
// files Marrowlight.exe (635904), docs\Manual.pdf (58572) and
// samples\First.dat (104), and the vendor keys of the example.
class WorkedExample {
 public:
  explicit WorkedExample(const TempFolder& folder);

  std::string stub() const { return root_ + "/stub.bin"; }
  std::string description() const { return root_ + "/product.ini"; }
  std::string files() const { return root_ + "/files"; }
  std::string File(const std::string& relative) const { return root_ + "/" + relative; }

  // Replaces product.ini by these lines (each followed by LF).
  void WriteDescription(const std::vector<std::string>& lines) const;
  // The description lines as the example writes them.
  static std::vector<std::string> DescriptionLines();

 private:
  std::string root_;
};

// The control-information lines of the worked example, markers included.
std::vector<std::string> WorkedExampleControlLines();

// Runs the built tidemark program; returns its exit code. Standard output and
// error are written to `output` when given.
int RunTidemark(const std::string& arguments, std::string* output = nullptr);

// The message of the Error that a read-back command (ListInstaller,
// VerifyInstaller, ...) raises on `path`; "" when it raises none.
std::string CommandFault(void (*command)(const std::string&, std::ostream&),
                         const std::string& path);

}  // namespace tidemark::test
