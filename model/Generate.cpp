#include "model/Generate.h"

#include <filesystem>

#include "edit/EditError.h"
#include "edit/Validator.h"
#include "model/FileOps.h"
#include "model/StreamError.h"
#include "model/Writer.h"

namespace vorandel {

bool generateScenarioFiles(const ScenarioSet& set, const std::string& folder, UserNotifier& notifier) {
  validateScenarios(set, 0, kAllScenarios);

  const std::filesystem::path base(folder);
  const std::string sndata = (base / kSndataName).string();
  const std::string taiki = (base / kTaikiName).string();
  const bool hadFiles = fileExists(sndata) || fileExists(taiki);
  const bool sndataMoved = backupFile(notifier, sndata, sndata + ".bak");
  const bool taikiMoved = backupFile(notifier, taiki, taiki + ".bak");
  if (!sndataMoved || !taikiMoved) return false;

  std::string failed;
  try {
    saveScenarioFiles(set, sndata, taiki, 0, kAllScenarios, &failed);
  } catch (StreamError) {
    std::string text = formatMessage("无法写入文件 %s，新的剧本没有生成。", failed.c_str());
    if (hadFiles) text += "\n原有的剧本文件已保存为 .bak 备份，去掉 .bak 即可恢复。";
    notifier.showError(text);
    return false;
  }
  return true;
}

}  // namespace vorandel
