#pragma once
// A broken promise found by a fuzz body: say which and abort, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace oxr::fuzz {

inline void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz: broken promise: %s\n", what);
  std::abort();
}

}  // namespace oxr::fuzz
