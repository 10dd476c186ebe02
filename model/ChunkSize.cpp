#include "model/ChunkSize.h"

#include <string>

#include "model/EditError.h"
#include "model/Records.h"

namespace vorandel {

namespace {

constexpr std::uint64_t kSizeFieldSpan = 0x10000;

[[noreturn]] void refuse(std::string text, std::uint64_t needed) {
  text += "\n两个剧本文件不是同一次生成的，或者已经损坏。";
  if (needed >= kSizeFieldSpan)
    text += formatMessage("\n（长度字段只有16位，超过65535字节的数据只记录长度除以65536的余数，此处应为 %llu。）",
                          static_cast<unsigned long long>(needed % kSizeFieldSpan));
  raiseEditError(text);
}

}  // namespace

std::uint64_t neededSndataChunk(std::uint32_t onMap, bool longTrailer) {
  return kBlockSize + std::uint64_t{kOfficerRecordSize} * onMap + (longTrailer ? kLongTrailerSize : kShortTrailerSize);
}

std::uint64_t neededTaikiChunk(std::uint32_t waiting) { return std::uint64_t{kOfficerRecordSize} * waiting; }

bool recordedSizeCovers(std::uint16_t recorded, std::uint64_t needed) {
  return needed < kSizeFieldSpan ? recorded >= needed : recorded == needed % kSizeFieldSpan;
}

bool recordedSizeMatches(std::uint16_t recorded, std::uint64_t needed) { return recorded == needed % kSizeFieldSpan; }

std::uint64_t chunkLength(std::uint16_t recorded, std::uint64_t needed) {
  return needed < kSizeFieldSpan ? recorded : needed;
}

void refuseSndataChunk(std::size_t s, std::uint16_t recorded, std::uint64_t needed, std::uint32_t onMap) {
  refuse(
      formatMessage(
          "剧本%zu在 sndata.s5 中记录的数据长度为 %u 字节，而它的地图数据、%u 名已上场武将和结尾部分需要 %llu 字节。",
          s, unsigned{recorded}, onMap, static_cast<unsigned long long>(needed)),
      needed);
}

void refuseTaikiChunk(std::size_t s, std::uint16_t recorded, std::uint64_t needed, std::uint32_t waiting) {
  refuse(formatMessage(
             "剧本%zu在 taiki.s5 中记录的数据长度为 %u 字节，而 %u 名待上场武将需要正好 %llu 字节（每人69字节）。", s,
             unsigned{recorded}, waiting, static_cast<unsigned long long>(needed)),
         needed);
}

}  // namespace vorandel
