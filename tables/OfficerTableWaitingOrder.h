#pragma once
// Laying out the waiting officers of a scenario again in the order in which they appear: by appearance
// year, then by the order key a table gave them, then by their previous place. The block's appearance
// bytes, the id index and the queue follow the new layout.
#include "model/ScenarioSet.h"

namespace vorandel {

// Re-orders the waiting officers of every scenario of the set; raises an EditError when the counts,
// the queue or the id index do not agree with the officer records.
void orderWaitingOfficers(ScenarioSet& set);

}  // namespace vorandel
