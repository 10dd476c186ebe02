// libFuzzer entry of the loader harness; what it does is in FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorandel::fuzz::loadScenarioPair(data, size);
  return 0;
}
