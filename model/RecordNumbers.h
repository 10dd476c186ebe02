#pragma once
// The numbers by which the records name each other: officers (1-based, up to the scenario's officer
// count), cities (1..47) and forces (1..21). Each kind is a type of its own, so a city cannot be passed
// where a force is meant, and "nobody" is an empty std::optional, never a number. Whether a number is
// in range is checked where it is used, with the message that fits the use; how the records store
// nobody is the business of RecordLinks.h alone.
#include <compare>

namespace vorandel {

template <class Kind>
class RecordNumber {
 public:
  constexpr explicit RecordNumber(int value) : value_(value) {}
  constexpr int value() const { return value_; }
  friend constexpr auto operator<=>(RecordNumber, RecordNumber) = default;

 private:
  int value_;
};

struct OfficerNumberKind;
struct CityNumberKind;
struct ForceNumberKind;
using OfficerNumber = RecordNumber<OfficerNumberKind>;
using CityNumber = RecordNumber<CityNumberKind>;
using ForceNumber = RecordNumber<ForceNumberKind>;

}  // namespace vorandel
