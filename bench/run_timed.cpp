// Starts a program with a command line of its own, waits for it to end and
// prints the time from the start to the end of the process. Used to time
// installers that run without a window (NSIS's /S).
// Usage: run-timed PROGRAM [ARG...]
#include <windows.h>

#include <cstdio>
#include <string>

#include "system/handles.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: run-timed PROGRAM [ARG...]\n");
    return 2;
  }
  // Arguments are passed on as given; the benchmark's have no blanks except
  // inside the /D= folder, which NSIS takes verbatim to the line's end.
  std::string command = std::string("\"") + argv[1] + "\"";
  for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(argv[1], &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::fprintf(stderr, "run-timed: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  const tidemark::UniqueHandle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  QueryPerformanceCounter(&end);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  std::printf("run: %.1f ms, exit code %lu\n",
              1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart,
              code);
  return 0;
}
