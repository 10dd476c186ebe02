#pragma once
// Who rules what: a force's ruler, a force founded in an empty force slot, and a city going over to
// another force with its people. Each operation checks everything it needs before it writes, so a
// refusal (a CellFault with a message that says what to do first) leaves the scenario as it was; what
// it writes satisfies the validator when the scenario did before. Officers are given by their 1-based
// officer numbers; cities are 1..47, forces 1..21; an empty optional is nobody.
#include <cstddef>
#include <optional>

#include "model/RecordNumbers.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Makes officer r, who serves force f (strategist or ordinary officer), its ruler. The old ruler becomes
// an ordinary officer where he is and keeps governing his city unless r stands in it; r's strategist
// post is cleared and r governs his city, its governor (if another) becoming second. Nothing happens
// when r rules f already.
void changeRuler(ScenarioSet& set, std::size_t s, ForceNumber f, OfficerNumber r);

// Founds force f, a slot not in use, with officer x, who is on the map, serves no force (unaffiliated,
// hermit or in training) and stands in a city nobody owns: x becomes the force's ruler and governor of
// that city, its first city.
void foundForce(ScenarioSet& set, std::size_t s, ForceNumber f, OfficerNumber x);

// Hands city c to force f (an existing force), or to nobody. The city leaves its old owner's chain and
// joins the end of f's chain; its serving officers serve f (a strategist becomes ordinary) and the
// governor stays governor. Handed to nobody, the serving officers become unaffiliated in the city. A
// city that holds its owner's ruler is refused. A city nobody owns joins f's chain without a governor.
void handCityOver(ScenarioSet& set, std::size_t s, CityNumber c, std::optional<ForceNumber> f);

}  // namespace vorandel
