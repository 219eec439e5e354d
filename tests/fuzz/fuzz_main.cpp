// libFuzzer entry point; OXR_FUZZ_BODY names the body (see fuzz_bodies.h).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_bodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  oxr::fuzz::OXR_FUZZ_BODY({reinterpret_cast<const char*>(data), size});
  return 0;
}
