#pragma once
// The pristine pair of scenario files that the program carries inside itself and starts from.
#include <string_view>

namespace vorandel {

struct BuiltInData {
  std::string_view sndata;  // the bytes of sndata.s5
  std::string_view taiki;   // the bytes of taiki.s5
};

const BuiltInData& builtInData();

}  // namespace vorandel
