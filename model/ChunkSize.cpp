#include "model/ChunkSize.h"

#include <string>

#include "model/EditError.h"
#include "model/Records.h"

namespace vorandel {

namespace {

constexpr std::uint64_t kSizeFieldSpan = 0x10000;

[[noreturn]] void refuse(std::string text, std::uint64_t needed = 0) {
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

void requireChunkStart(const ChunkPlace& place, std::uint64_t expected, std::uint64_t room) {
  if (place.offset == expected) return;
  std::string text = formatMessage(
      "剧本%zu在 %s 中记录的数据位置为 %u（距文件开头 %llu 字节），而它应当紧接在%s之后，从位置 %llu 开始。",
      place.scenario, place.file, unsigned{place.offset}, static_cast<unsigned long long>(place.base + place.offset),
      place.scenario == 0 ? "剧本表" : "前一个剧本", static_cast<unsigned long long>(expected));
  if (place.offset < expected)
    text += formatMessage("\n它的开头早了 %llu 字节，与前面剧本的数据重叠。",
                          static_cast<unsigned long long>(expected - place.offset));
  else if (place.offset > room)
    text +=
        formatMessage("\n这个位置在文件的末尾之外：剧本表之后只有 %llu 字节。", static_cast<unsigned long long>(room));
  else
    text += formatMessage("\n它前面有 %llu 个字节不属于任何剧本。",
                          static_cast<unsigned long long>(place.offset - expected));
  refuse(std::move(text));
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
