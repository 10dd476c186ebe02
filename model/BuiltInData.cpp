#include "model/BuiltInData.h"

#include <cstddef>

namespace vorandel {

// The bytes of the two files, generated at build time from the folder the build was configured with.
namespace builtin {
extern const unsigned char sndataBytes[];
extern const std::size_t sndataSize;
extern const unsigned char taikiBytes[];
extern const std::size_t taikiSize;
}  // namespace builtin

const BuiltInData& builtInData() {
  static const BuiltInData data{
      std::string_view(reinterpret_cast<const char*>(builtin::sndataBytes), builtin::sndataSize),
      std::string_view(reinterpret_cast<const char*>(builtin::taikiBytes), builtin::taikiSize)};
  return data;
}

}  // namespace vorandel
