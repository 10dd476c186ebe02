#pragma once
// Officers are counted two ways: the 0-based index into a scenario's officer vectors, and the 1-based
// officer number that the records link by (0 or -1 there meaning nobody). An OfficerIndex is only ever
// the first; number() and officerNumber() turn it into the second, so the two cannot be mixed up by a
// forgotten +1.
#include <cstdint>

#include "model/RecordNumbers.h"

namespace vorandel {

struct OfficerIndex {
  std::int32_t value = 0;

  constexpr int number() const { return value + 1; }
  constexpr OfficerNumber officerNumber() const { return OfficerNumber{value + 1}; }
  static constexpr OfficerIndex ofNumber(int number) { return OfficerIndex{number - 1}; }
  static constexpr OfficerIndex ofNumber(OfficerNumber number) { return OfficerIndex{number.value() - 1}; }
  friend constexpr bool operator==(OfficerIndex, OfficerIndex) = default;
};

}  // namespace vorandel
