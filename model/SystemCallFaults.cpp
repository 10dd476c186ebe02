#include "model/SystemCallFaults.h"

#include <atomic>

namespace vorandel::platform {

namespace {

struct ArmedPlan {
  FaultPlan plan;
  int matching = 0;
  bool hit = false;
};

// The one piece of process-wide state of the seam; writers in several threads count under its lock (a
// spin lock: the Windows build's thread model has no std::mutex, and the lock is held for a few steps).
struct Seam {
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  std::vector<ArmedPlan> plans;
  int calls = 0;
};

Seam& seam() {
  static Seam instance;
  return instance;
}

class Guard {
 public:
  explicit Guard(Seam& seam) : seam_(seam) {
    while (seam_.busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Guard() { seam_.busy.clear(std::memory_order_release); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  Seam& seam_;
};

}  // namespace

void planFaults(std::vector<FaultPlan> plans) {
  Seam& s = seam();
  const Guard guard(s);
  s.plans.clear();
  for (FaultPlan& plan : plans) s.plans.push_back({std::move(plan)});
  s.calls = 0;
}

int countedCalls() {
  Seam& s = seam();
  const Guard guard(s);
  return s.calls;
}

int faultsHit() {
  Seam& s = seam();
  const Guard guard(s);
  int hit = 0;
  for (const ArmedPlan& armed : s.plans) hit += armed.hit ? 1 : 0;
  return hit;
}

std::optional<std::string> faultAt(const char* call) {
  Seam& s = seam();
  std::optional<FaultKind> kind;
  {
    const Guard guard(s);
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
