#include "model/TrailingBytes.h"

#include <cstdint>

#include "model/EditError.h"
#include "model/Loader.h"
#include "model/MemoryStream.h"

namespace vorandel {

namespace {

void warnBehind(std::vector<std::string>& warnings, const char* file, std::size_t size, std::uint64_t end) {
  if (size > end)
    warnings.push_back(formatMessage("文件 %s 在最后一个剧本之后还有 %llu 个多余的字节。", file,
                                     static_cast<unsigned long long>(size - end)));
}

}  // namespace

std::vector<std::string> trailingBytesWarnings(std::string_view sndata, std::string_view taiki) {
  ScenarioSet scratch;
  MemoryInputStream sndataStream(sndata);
  MemoryInputStream taikiStream(taiki);
  ChunkEnds ends;
  parseScenarioStreams(scratch, sndataStream, taikiStream, ends);
  std::vector<std::string> warnings;
  warnBehind(warnings, "sndata.s5", sndata.size(), ends.sndata);
  warnBehind(warnings, "taiki.s5", taiki.size(), ends.taiki);
  return warnings;
}

}  // namespace vorandel
