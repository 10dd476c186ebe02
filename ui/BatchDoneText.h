#pragma once
// What the batch dialog says when a batch has been committed.
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel::ui {

// "已保存修改。" first, as always; then the batch's summary (what it changed, one line per table), and
// when it changed the data, that the changes reach the game's files only through "生成新剧本". before
// and after: the current set around the batch.
std::string batchDoneText(const ScenarioSet& before, const ScenarioSet& after, const std::string& summary);

}  // namespace vorandel::ui
