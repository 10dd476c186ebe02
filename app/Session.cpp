#include "app/Session.h"

#include <utility>

#include "model/Loader.h"
#include "model/Writer.h"
#include "rules/Validator.h"

namespace vorandel {

ScenarioSet& Session::changeCurrent() {
  if (!pristine_) pristine_ = current_;
  return current_;
}

void Session::restorePristine() {
  // The pristine set moves back; the next change keeps it apart again.
  if (!pristine_) return;
  current_ = std::move(*pristine_);
  pristine_.reset();
}

void Session::startFrom(ScenarioSet set) {
  current_ = std::move(set);
  pristine_.reset();
}

void startUp(Session& session, std::string_view sndata, std::string_view taiki) {
  ScenarioSet set;
  loadScenarioSet(set, sndata, taiki);
  validateScenarios(set, 0, kAllScenarios);
  session.startFrom(std::move(set));
}

}  // namespace vorandel
