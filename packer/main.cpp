#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "packer/command_line.h"
#include "packer/output_file.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tidemark::RemoveTemporaryFilesOnSignals();
  return tidemark::RunCommandLine(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
