#pragma once
// What both programs keep from start to exit: the set every command works on, and the pristine set that
// discarding all changes goes back to. The two are one set until the first change: only then is the
// pristine one kept apart, so that start-up does not copy the whole set.
#include <optional>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

class Session {
 public:
  const ScenarioSet& current() const { return current_; }
  // The set start-up proved consistent, as "放弃所有修改" brings it back.
  const ScenarioSet& pristine() const { return pristine_ ? *pristine_ : current_; }

  // The current set, to be changed: the pristine set is kept apart first. Every change goes through here.
  ScenarioSet& changeCurrent();
  // Makes the pristine set the current one again; the pristine set stays as it is.
  void restorePristine();
  // Starts over from the set, which is then the pristine one as well.
  void startFrom(ScenarioSet set);

 private:
  ScenarioSet current_;
  std::optional<ScenarioSet> pristine_;  // empty while the current set is still the pristine one
};

// Loads the two files' bytes, validates every scenario and starts the session from them. Raises the
// EditError of the first problem and leaves the session as it was.
void startUp(Session& session, std::string_view sndata, std::string_view taiki);

}  // namespace vorandel
