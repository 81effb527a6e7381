#include <iostream>
#include <string>
#include <vector>

#include "packer/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return tidemark::RunCommandLine(arguments, std::cout, std::cerr);
}
