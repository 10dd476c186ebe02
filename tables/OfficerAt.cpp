#include "tables/OfficerAt.h"

#include "rules/GameRules.h"
#include "tables/TableExportCells.h"

namespace vorandel {

const WaitingEntry* OfficerAt::queueEntry() const {
  const Scenario& here = scenario();
  const long slot = static_cast<long>(number - 1) - static_cast<long>(here.onMapCount);
  if (slot < 0 || s >= set.waitingQueue.size()) return nullptr;
  const std::vector<WaitingEntry>& queue = set.waitingQueue[s];
  if (static_cast<std::size_t>(slot) >= queue.size()) return nullptr;
  const WaitingEntry& entry = queue[static_cast<std::size_t>(slot)];
  return entry.id == profile().get(profile::id) ? &entry : nullptr;
}

std::string officerName(const OfficerProfile& profile) {
  return tableexport::writableName(profile.bytes.data() + profile::name.offset, kOfficerNameWidth);
}

std::string nameOfNumber(const Scenario& scenario, int n) {
  if (!scenario.isOfficerNumber(n)) return tableexport::kNoCell;
  return tableexport::informative(shownGbk(scenario.officerProfile(n).text(profile::name)));
}

}  // namespace vorandel
