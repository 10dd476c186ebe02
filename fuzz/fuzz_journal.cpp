// libFuzzer entry of the journal harness; what it does is in FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorandel::fuzz::readJournal(data, size);
  return 0;
}
