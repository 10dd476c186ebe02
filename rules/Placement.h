#pragma once
// Moving officers between cities and forces while keeping the scenario's linked lists consistent.
//
// Every city heads four lists of officers, chosen by the officer's status: serving officers (statuses
// 0 to 2) in the list headed by the governor, officers in training, unaffiliated officers and hermits.
// Every force heads a chain of the cities it owns. The operations below change one scenario of the set
// in place; a failed check raises an EditError and may leave the scenario half changed, so callers work
// on a copy. Officers are given by their 1-based officer numbers; cities are 1..47, forces 1..21; an
// empty optional is nobody.
//
// No number can reach outside the scenario's records: every officer, city and force number is checked
// before use, and every walk along a list stops with an error when the list is longer than the
// scenario has officers (or cities), as it only can be when it has a cycle.
#include <cstddef>
#include <optional>

#include "model/RecordNumbers.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Makes b follow a in a list: a's next officer becomes b and b's previous officer a. Nobody is not
// written to: b without a heads his list, a without b ends it. Linking nobody to nobody does nothing.
void linkOfficers(ScenarioSet& set, std::size_t s, std::optional<OfficerNumber> a, std::optional<OfficerNumber> b);

// Officer o, who is in no list and stands in city c, becomes the head of c's serving list; the old
// governor loses his flag and follows o with the rest of the list behind him.
void makeGovernor(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c);

// Gives item i to officer o, taking it from its previous holder; nobody, or any o outside the scenario's
// officers, gives the item to nobody.
void setItemHolder(ScenarioSet& set, std::size_t s, int i, std::optional<OfficerNumber> o);

// Hands city c to force f, or to nobody. A city that a force takes goes to the end of its chain.
// When c heads its current owner's chain, the caller moves that force's first city on beforehand.
void setCityOwner(ScenarioSet& set, std::size_t s, CityNumber c, std::optional<ForceNumber> f);

// Takes officer o out of his city's list. When he was governor the next officer of the list takes
// over; when nobody serving is left, releaseEmptyCity decides whether the city loses its owner.
// A ruler keeps his governor flag.
void detachOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, bool releaseEmptyCity);

// Puts officer o into city c at the end of the list for his status. Rulers, waiting and dead officers
// only get the location.
void appendToCity(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c);

// Puts the detached officer o into city c: a serving officer who enters a city nobody owns takes it for
// his force and governs it; a ruler governs the city he enters; everyone else joins at the end.
void placeOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c);

// Moves officer o into city c (nothing happens when he is there already).
void moveOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c, bool releaseEmptyCity);

// Makes the serving officer o governor of his city; in the ruler's own city he becomes second after
// the ruler instead. Meant for strategists and ordinary officers.
void appointGovernor(ScenarioSet& set, std::size_t s, OfficerNumber o);

}  // namespace vorandel
