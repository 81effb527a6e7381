// A Windows program whose exit is chosen on its command line, for checking
// how the Wine harness passes results on:
//   wine_probe exit N   ends with exit code N
//   wine_probe crash    dereferences a null pointer
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "crash") == 0) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
  }
  std::fprintf(stderr, "usage: wine_probe exit N | crash\n");
  return 2;
}
