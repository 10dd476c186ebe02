#include "model/SystemCallFaults.h"

#include <mutex>

namespace vorandel::platform {

namespace {

struct ArmedPlan {
  FaultPlan plan;
  int matching = 0;
  bool hit = false;
};

// The one piece of process-wide state of the seam; writers in several threads count under the mutex.
struct Seam {
  std::mutex mutex;
  std::vector<ArmedPlan> plans;
  int calls = 0;
};

Seam& seam() {
  static Seam instance;
  return instance;
}

}  // namespace

void planFaults(std::vector<FaultPlan> plans) {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  s.plans.clear();
  for (FaultPlan& plan : plans) s.plans.push_back({std::move(plan)});
  s.calls = 0;
}

int countedCalls() {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  return s.calls;
}

int faultsHit() {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  int hit = 0;
  for (const ArmedPlan& armed : s.plans) hit += armed.hit ? 1 : 0;
  return hit;
}

std::optional<std::string> faultAt(const char* call) {
  Seam& s = seam();
  std::optional<FaultKind> kind;
  {
    const std::lock_guard<std::mutex> guard(s.mutex);
    ++s.calls;
    for (ArmedPlan& armed : s.plans) {
      if (armed.hit || (!armed.plan.call.empty() && armed.plan.call != call)) continue;
      if (++armed.matching != armed.plan.nth || kind) continue;
      armed.hit = true;
      kind = armed.plan.kind;
    }
  }
  if (!kind) return std::nullopt;
  if (*kind == FaultKind::Kill) throw SimulatedKill{};
  return std::string("Input/output error (injected at ") + call + ")";
}

}  // namespace vorandel::platform
