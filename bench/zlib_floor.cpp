// The floor for the installer's file loop: inflates the same zlib streams
// from an installer into files with nothing but zlib and the plainest Win32
// file calls, and prints how long that took.
// Usage: zlib-floor INSTALLER MANIFEST FOLDER
//   MANIFEST: one line per file item, "OFFSET STORED NAME" (NAME relative,
//   "\"-separated, without blanks), in container order.
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "system/handles.h"

namespace {

using tidemark::UniqueHandle;

constexpr DWORD kInputChunk = 64 * 1024;
constexpr DWORD kOutputBlock = 128 * 1024;

struct Entry {
  long long offset = 0;
  long long stored = 0;
  std::string name;
};

[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "zlib-floor: %s (error %lu)\n", what.c_str(), GetLastError());
  std::exit(1);
}

// Creates every folder above `path` below `root`.
void CreateParents(const std::string& root, const std::string& name) {
  for (size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1)) {
    CreateDirectoryA((root + "\\" + name.substr(0, at)).c_str(), nullptr);
  }
}

void WriteAll(HANDLE file, const unsigned char* data, DWORD size) {
  DWORD written = 0;
  if (!WriteFile(file, data, size, &written, nullptr) || written != size) Die("write failed");
}

void InflateOne(HANDLE installer, const Entry& entry, const std::string& path) {
  UniqueHandle out(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) Die("cannot create " + path);
  LARGE_INTEGER at;
  at.QuadPart = entry.offset;
  if (!SetFilePointerEx(installer, at, nullptr, FILE_BEGIN)) Die("seek failed");

  static unsigned char input[kInputChunk];
  static unsigned char output[kOutputBlock];
  z_stream z = {};
  if (inflateInit(&z) != Z_OK) Die("inflateInit failed");
  long long left = entry.stored;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (z.avail_in == 0) {
      const DWORD want = static_cast<DWORD>(left < kInputChunk ? left : kInputChunk);
      DWORD got = 0;
      if (want == 0 || !ReadFile(installer, input, want, &got, nullptr) || got == 0) {
        Die("stream of " + entry.name + " cut short");
      }
      left -= got;
      z.next_in = input;
      z.avail_in = got;
    }
    z.next_out = output;
    z.avail_out = kOutputBlock;
    result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) Die("inflate failed for " + entry.name);
    if (z.avail_out < kOutputBlock) WriteAll(out.get(), output, kOutputBlock - z.avail_out);
  }
  inflateEnd(&z);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zlib-floor INSTALLER MANIFEST FOLDER\n");
    return 2;
  }
  std::vector<Entry> entries;
  std::ifstream manifest(argv[2]);
  for (Entry entry; manifest >> entry.offset >> entry.stored >> entry.name;)
    entries.push_back(entry);
  if (entries.empty()) Die("empty manifest");
  const std::string root = argv[3];

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  UniqueHandle installer(CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!installer) Die(std::string("cannot open ") + argv[1]);
  CreateDirectoryA(root.c_str(), nullptr);
  for (const Entry& entry : entries) {
    CreateParents(root, entry.name);
    InflateOne(installer.get(), entry, root + "\\" + entry.name);
  }
  QueryPerformanceCounter(&end);
  std::printf("floor: %.1f ms\n",
              1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}
