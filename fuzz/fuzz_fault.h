// How a fuzz target reports a finding: it prints what went wrong and aborts,
// and libFuzzer keeps the input that led there.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tidemark::fuzz {

[[noreturn]] inline void Fault(const std::string& what) {
  std::fprintf(stderr, "FAULT: %s\n", what.c_str());
  std::abort();
}

inline void Expect(bool holds, const std::string& what) {
  if (!holds) Fault(what);
}

}  // namespace tidemark::fuzz
