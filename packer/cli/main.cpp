#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "packer/build/output_file.h"
#include "packer/cli/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tidemark::RemoveTemporaryFilesOnSignals();
  const bool terminal = isatty(fileno(stderr)) != 0;
  return tidemark::RunCommandLine(arguments, std::cout, std::cerr, terminal);
}
