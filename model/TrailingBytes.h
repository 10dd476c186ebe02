#pragma once
// Bytes that lie behind the last chunk of a scenario file: the game never reads them, so a file that
// has them was cut together from pieces or written over a longer file. They are worth a warning, not a
// refusal.
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

// One warning line per file that has bytes behind its last chunk, sndata.s5 first; empty for a
// clean pair. Loads the pair to learn where its chunks end, so a pair that the loader refuses raises
// the loader's error here too.
std::vector<std::string> trailingBytesWarnings(std::string_view sndata, std::string_view taiki);

}  // namespace vorandel
