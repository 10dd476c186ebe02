#pragma once
// Officer names for the generated persons: two to four Chinese characters (UTF-8 here; GBK in the records), a common
// surname, single or compound, followed by one or two given-name characters. No two persons share a name.
#include <string>
#include <vector>

#include "tools/Prng.h"

namespace vorandel::gendata {

struct OfficerName {
  std::string text;  // UTF-8; at most 8 bytes in GBK
  int family;        // the surname's number, 1 and up; persons of one surname share it
};

std::vector<OfficerName> makeOfficerNames(Prng& prng, int count);

}  // namespace vorandel::gendata
