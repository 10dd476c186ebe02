// libFuzzer entry of the officers harness; what it does is in FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorandel::fuzz::applyTable(1, data, size);
  return 0;
}
