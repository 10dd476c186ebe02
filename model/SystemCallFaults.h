#pragma once
// The test seam of the file-system calls: every call of SystemFiles that touches the disk counts itself
// here first (by the name of the system call it stands for: "open", "write", "fsync", "close", "link",
// "rename", "unlink", "stat", "lock", and "share" for the look at whether another program holds a file). A planned fault makes the chosen call fail as the system would
// (an input/output error) or stops the program right there, the call not made, as a kill would. The
// program never plans a fault; the tests do, and run natively and under Wine with the same plans.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorandel::platform {

// PowerCut stops the program as Kill does, after taking back every change to a folder's names that was
// not yet made durable by a sync of that folder (a file's bytes are durable once the file is flushed):
// the disk as a power cut would leave it.
enum class FaultKind { Error, Kill, PowerCut };

struct FaultPlan {
  std::string call;  // the system call to fault; empty for any
  int nth = 0;       // the 1-based count of that call since the plan was made
  FaultKind kind = FaultKind::Error;
};

// Thrown at a planned kill. It derives from nothing the program catches, so it ends the operation as a
// kill ends the process; the destructors standing for the system's own clean-up (closing handles,
// releasing locks) still run.
struct SimulatedKill {};

// Starts counting afresh and arms the plans (none: count only). Each plan counts its own calls.
void planFaults(std::vector<FaultPlan> plans);
// The calls counted since the last plans were made.
int countedCalls();
// How many of the planned faults have been hit.
int faultsHit();

// Called by SystemFiles before each call: the failure to report instead of making the call, if planned
// (throws SimulatedKill for a planned kill or power cut).
std::optional<std::string> faultAt(const char* call);

// Whether a power cut is planned: only then do the calls below note anything.
bool powerCutPlanned();
// A change to the names of a folder (absolute, normalised), with the step that takes it back.
void noteChange(const std::string& folder, std::function<void()> takeBack);
// The folder was synced: its changes so far are durable.
void noteSynced(const std::string& folder);

}  // namespace vorandel::platform
