#pragma once
// The border between the officers on the map and the officers waiting to appear: bringing a waiting
// officer onto the map, and creating a new waiting officer. Both keep the scenario's counts, the
// stored counts of the block, the id index and the waiting queue in step with the officer records.
#include <cstddef>
#include <optional>

#include "model/ScenarioSet.h"

namespace vorandel {

// Brings the waiting officer with the id onto the map as the first officer after the on-map ones, with
// the status 1 (strategist), 2 (ordinary), 4 (unaffiliated) or 5 (hermit), and puts him into the city of
// his location (city 1 when that is no city). In a city that nobody owns a strategist or ordinary
// officer becomes unaffiliated. Returns his new index; nothing when nothing was done: another status, an
// id that no waiting officer has (also an id outside the id index).
std::optional<OfficerIndex> activateWaitingOfficer(ScenarioSet& set, std::size_t s, int id, int newStatus);

// Appends a new officer with the id at the end of the waiting officers, appearing in the same year as
// the last one: the largest appearance year in the scenario's waiting queue (the start year when
// nobody waits), also after activations and changed years that the block's appearance bytes do not
// show yet. He is born 15 years earlier (never before year 100) and holds the one duty 特殊, with
// the rest of the new-officer template. His index is the old officer count; the id index grows in
// every scenario when the id does not fit it.
void addWaitingOfficer(ScenarioSet& set, std::size_t s, int id);

// The year in the stored scale (year minus 100) in which the scenario starts for the waiting officers:
// a scenario that starts in December counts as starting in the next year.
int storedStartYear(const Scenario& scenario);

}  // namespace vorandel
