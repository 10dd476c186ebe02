#pragma once
// How the records store a link to an officer, a city or a force, and how they store "nobody". These are
// the only places where a stored link becomes a number or an empty optional and back again; above them
// everything works with the types of RecordNumbers.h.
//
// Reading: a positive value is a number (in range or not: that is checked where it is used); 0 and every
// negative value are nobody. Writing: nobody is -1, except in the two links that mark the head of a list,
// an officer's previous officer and a city's previous city, where it is 0.
#include <cstdint>
#include <optional>

#include "model/RecordNumbers.h"

namespace vorandel {

// Officer links: a city's governor and list heads, an officer's previous and next officer, a force's
// ruler and strategist, an item's holder.
constexpr std::optional<OfficerNumber> officerLink(int stored) {
  if (stored <= 0) return std::nullopt;
  return OfficerNumber{stored};
}
constexpr std::int16_t storedOfficerLink(std::optional<OfficerNumber> officer) {
  return static_cast<std::int16_t>(officer ? officer->value() : -1);
}
constexpr std::int16_t storedPreviousOfficer(std::optional<OfficerNumber> officer) {
  return static_cast<std::int16_t>(officer ? officer->value() : 0);
}

// City links: a city's previous and next city in its owner's chain, a force's first city.
constexpr std::optional<CityNumber> cityLink(int stored) {
  if (stored <= 0) return std::nullopt;
  return CityNumber{stored};
}
constexpr std::int8_t storedCityLink(std::optional<CityNumber> city) {
  return static_cast<std::int8_t>(city ? city->value() : -1);
}
constexpr std::int8_t storedPreviousCity(std::optional<CityNumber> city) {
  return static_cast<std::int8_t>(city ? city->value() : 0);
}

// Force links: a city's owner, an officer's force.
constexpr std::optional<ForceNumber> forceLink(int stored) {
  if (stored <= 0) return std::nullopt;
  return ForceNumber{stored};
}
constexpr std::int8_t storedForceLink(std::optional<ForceNumber> force) {
  return static_cast<std::int8_t>(force ? force->value() : -1);
}

}  // namespace vorandel
