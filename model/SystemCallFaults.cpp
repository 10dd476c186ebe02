#include "model/SystemCallFaults.h"

#include <mutex>

namespace vorandel::platform {

namespace {

// The one piece of process-wide state of the seam; writers in several threads count under the mutex.
struct Seam {
  std::mutex mutex;
  std::optional<FaultPlan> plan;
  int calls = 0;
  int matching = 0;
  bool hit = false;
};

Seam& seam() {
  static Seam instance;
  return instance;
}

}  // namespace

void planFault(std::optional<FaultPlan> plan) {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  s.plan = std::move(plan);
  s.calls = 0;
  s.matching = 0;
  s.hit = false;
}

int countedCalls() {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  return s.calls;
}

bool faultHit() {
  Seam& s = seam();
  const std::lock_guard<std::mutex> guard(s.mutex);
  return s.hit;
}

std::optional<std::string> faultAt(const char* call) {
  Seam& s = seam();
  FaultKind kind;
  {
    const std::lock_guard<std::mutex> guard(s.mutex);
    ++s.calls;
    if (!s.plan || s.hit) return std::nullopt;
    if (!s.plan->call.empty() && s.plan->call != call) return std::nullopt;
    if (++s.matching != s.plan->nth) return std::nullopt;
    s.hit = true;
    kind = s.plan->kind;
  }
  if (kind == FaultKind::Kill) throw SimulatedKill{};
  return std::string("Input/output error (injected at ") + call + ")";
}

}  // namespace vorandel::platform
