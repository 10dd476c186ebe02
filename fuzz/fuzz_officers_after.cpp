// libFuzzer entry of the officers_after harness; what it does is in FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorandel::fuzz::applyTableThenOfficerTable(data, size);
  return 0;
}
