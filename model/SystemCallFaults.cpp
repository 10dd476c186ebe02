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
struct Change {
  std::string folder;
  std::function<void()> takeBack;
};

struct Seam {
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  std::vector<ArmedPlan> plans;
  int calls = 0;
  bool powerCut = false;
  std::vector<Change> unsynced;
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
  s.powerCut = false;
  s.unsynced.clear();
  for (FaultPlan& plan : plans) {
    s.powerCut = s.powerCut || plan.kind == FaultKind::PowerCut;
    s.plans.push_back({std::move(plan)});
  }
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
  if (*kind == FaultKind::PowerCut) {
    std::vector<Change> unsynced;
    {
      const Guard guard(s);
      unsynced.swap(s.unsynced);
      s.powerCut = false;
    }
    for (auto change = unsynced.rbegin(); change != unsynced.rend(); ++change) change->takeBack();
  }
  if (*kind != FaultKind::Error) throw SimulatedKill{};
  return std::string("Input/output error (injected at ") + call + ")";
}

bool powerCutPlanned() {
  Seam& s = seam();
  const Guard guard(s);
  return s.powerCut;
}

void noteChange(const std::string& folder, std::function<void()> takeBack) {
  Seam& s = seam();
  const Guard guard(s);
  if (s.powerCut) s.unsynced.push_back({folder, std::move(takeBack)});
}

void noteSynced(const std::string& folder) {
  Seam& s = seam();
  const Guard guard(s);
  std::erase_if(s.unsynced, [&](const Change& change) { return change.folder == folder; });
}

}  // namespace vorandel::platform
