#pragma once
// What the batch dialog says when a batch has been committed.
#include <string>

namespace vorandel::ui {

// "已保存修改。" first, as always; then the batch's summary (what it changed, one line per table), and
// when it changed the data (changed: the current set differs from what it was before the batch), that
// the changes reach the game's files only through "生成新剧本".
std::string batchDoneText(bool changed, const std::string& summary);

}  // namespace vorandel::ui
