#include "ui/BatchDoneText.h"

namespace vorandel::ui {

std::string batchDoneText(bool changed, const std::string& summary) {
  std::string text = "已保存修改。";
  if (!summary.empty()) text += "\n" + summary;
  if (changed)
    text += "\n修改尚未写入剧本文件，请用「生成新剧本」写入。";
  else if (summary.empty())
    text += "\n表中的数据与当前数据相同，没有任何改变。";
  return text;
}

}  // namespace vorandel::ui
