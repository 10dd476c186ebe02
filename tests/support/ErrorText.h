#pragma once
// What a test reads of a refusal: the text of the EditError a call raises.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/EditError.h"
#include "rules/Validator.h"

namespace vorandel::testing {

// The text of the EditError that the call raises, or whenNone when it raises nothing.
template <class Call>
std::string errorText(Call&& call, const std::string& whenNone = "") {
  try {
    call();
  } catch (const EditError& error) {
    return error.text();
  }
  return whenNone;
}

// The text of the EditError that the call raises; fails the test when it raises nothing.
template <class Call>
std::string editErrorOf(Call&& call) {
  const std::string none = "\x01(no error)";
  const std::string text = errorText(call, none);
  if (text != none) return text;
  ADD_FAILURE() << "no EditError was raised";
  return std::string();
}

// The validator's message, or an empty text when the whole set passes.
inline std::string validationError(const ScenarioSet& set) {
  return errorText([&] { validateScenarios(set, 0, SIZE_MAX); });
}

}  // namespace vorandel::testing
