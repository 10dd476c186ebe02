#pragma once
// The rules that end every applied row of the officer table: they bring the officer's skills,
// experience, duties, troops, items and rank back in line with the game's rules after his values were
// overwritten, or refuse the row. Each rule is written once, as a check that names the column it is
// about; the import applies them, the problem list names the refusals at their cells, and the exporter
// switches off the row of an officer whom a rule would change or refuse.
#include <cstdint>
#include <type_traits>

#include "model/Records.h"

namespace vorandel {

// The skills a row names (已学技能) or gives as bits (附加技能), which the learned skills take in
// besides those of the learned slots. A row that does not apply 已学技能 names the skills the officer had
// besides those of his learned slots (skillsBesideSlots), so that they stay.
struct RowSkills {
  std::uint32_t named = 0;
  std::uint32_t extra = 0;
};

// The officer's learned skills that his first 已学技能数 learnable slots do not stand for.
std::uint32_t skillsBesideSlots(const OfficerState& officer, const OfficerProfile& profile);

// A rule the officer did not keep as he stood.
struct RuleFinding {
  int column = 0;                 // the officer column (OfficerColumn) whose value the rule is about
  const char* fault = nullptr;    // the message when the rule refuses him; null when it changed him
  const char* counted = nullptr;  // what the import counts when it changed him; null when not told
};

// What finishOfficer calls for each finding: a reference to the caller's callable, called in place,
// so that a row's rules cost no copy of it.
class FindingCallback {
 public:
  template <class Callable>
  requires std::is_invocable_v<const Callable&, const RuleFinding&> FindingCallback(
      const Callable& callable)  // NOLINT(google-explicit-constructor): passed as a lambda
      : callable_(&callable),
        call_([](const void* c, const RuleFinding& finding) { (*static_cast<const Callable*>(c))(finding); }) {}

  void operator()(const RuleFinding& finding) const { call_(callable_, finding); }

 private:
  const void* callable_;
  void (*call_)(const void*, const RuleFinding&);
};

// Runs the finishing rules on the officer in the game's order (learned count, learnable skills, learned
// skills, growth and experience, duties, troops, items and the strategist's minimums, promotion),
// changes him where a rule changes, and calls `found` for every rule he did not keep. A refusal leaves
// the values it concerns as they are and the later rules still run; a caller that stops at the first
// refusal throws from `found`.
void finishOfficer(OfficerState& officer, const OfficerProfile& profile, int id, RowSkills skills,
                   FindingCallback found);

}  // namespace vorandel
