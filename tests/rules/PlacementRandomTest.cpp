// Long random sequences of placement and waiting-officer operations on a busy valid set: every
// operation that succeeds must leave each scenario valid and the id index and waiting queue in
// agreement with the records; every refusal must be one that the rules predict.
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <set>

#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "rules/Placement.h"
#include "rules/WaitingOfficers.h"
#include "tests/rules/PlacementTestSupport.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

constexpr const char* kOtherForce = "无法移动武将到其它势力的城市";
constexpr const char* kNoGovernor = "不应该再处理占空城";

struct Tally {
  int moves = 0, refusedMoves = 0, rulerMoves = 0, releases = 0;
  int appointments = 0, activations = 0, refusedActivations = 0, ignoredActivations = 0, additions = 0;
};

class RandomSequence {
 public:
  RandomSequence(unsigned seed, ScenarioSet start) : set(std::move(start)), rng_(seed) {}

  ScenarioSet set;
  Tally tally;

  // One random operation; returns false (after reporting a failure) when the set broke.
  bool step(int number) {
    const std::size_t s = static_cast<std::size_t>(pick(0, static_cast<int>(set.scenarioCount()) - 1));
    const int kind = pick(0, 99);
    if (kind < 55) return move(s, number);
    if (kind < 75) return appoint(s, number);
    if (kind < 92) return activate(s, number);
    return add(s, number);
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  Scenario& scenario(std::size_t s) { return set.scenarios[s]; }

  bool stillConsistent(int number, const char* operation) {
    const std::string validation = validationError(set);
    const std::string index = derivedIndexMismatch(set);
    EXPECT_EQ(validation, "") << "step " << number << ": " << operation << " broke a rule of the validator";
    EXPECT_EQ(index, "") << "step " << number << ": " << operation;
    return validation.empty() && index.empty();
  }

  // Mostly targets that the rules allow, now and then any city at all.
  int moveTarget(const Scenario& sc, int o) {
    const OfficerState& officer = sc.officerState(o);
    if (officer.get(state::status) > kOrdinary || pick(0, 4) == 0) return pick(1, kCityCount);
    std::vector<int> allowed;
    for (int c = 1; c <= kCityCount; ++c) {
      const int owner = sc.city(c).get(city::owner);
      if (owner <= 0 || owner == officer.get(state::force)) allowed.push_back(c);
    }
    return allowed[static_cast<std::size_t>(pick(0, static_cast<int>(allowed.size()) - 1))];
  }

  bool move(std::size_t s, int number) {
    const Scenario& sc = scenario(s);
    const int o = pick(1, static_cast<int>(sc.onMapCount));
    const int c = moveTarget(sc, o);
    const bool release = pick(0, 1) == 1;
    const OfficerState& officer = sc.officerState(o);
    const unsigned status = officer.get(state::status);
    const int force = officer.get(state::force);
    const int owner = sc.city(c).get(city::owner);
    const bool here = officer.get(state::location) == c;
    const char* expectedRefusal = nullptr;
    if (!here && status <= kOrdinary && owner > 0 && owner != force)
      expectedRefusal = kOtherForce;
    else if (!here && (status == kStrategist || status == kOrdinary) && owner == force &&
             sc.city(c).get(city::governor) == -1)
      expectedRefusal = kNoGovernor;
    const bool isRuler = status == kRuler;
    const int ownersBefore = ownedCities(sc);

    ScenarioSet trial = set;
    try {
      moveOfficer(trial, s, OfficerNumber{o}, CityNumber{c}, release);
    } catch (const EditError& error) {
      EXPECT_TRUE(expectedRefusal && contains(error.text(), expectedRefusal))
          << "step " << number << ": unexpected refusal of moving " << o << " to " << c;
      ++tally.refusedMoves;
      return expectedRefusal != nullptr;
    }
    EXPECT_EQ(expectedRefusal, nullptr) << "step " << number << ": a move the rules refuse succeeded";
    set = std::move(trial);
    if (!here) {
      EXPECT_EQ(scenario(s).officerState(o).get(state::location), c);
      ++tally.moves;
      if (isRuler) ++tally.rulerMoves;
      if (ownedCities(scenario(s)) < ownersBefore) ++tally.releases;
    }
    return stillConsistent(number, "moveOfficer") && expectedRefusal == nullptr;
  }

  static int ownedCities(const Scenario& sc) {
    int owned = 0;
    for (int c = 1; c <= kCityCount; ++c) owned += sc.city(c).get(city::owner) > 0;
    return owned;
  }

  bool appoint(std::size_t s, int number) {
    const Scenario& sc = scenario(s);
    std::vector<int> candidates;
    for (int o = 1; o <= static_cast<int>(sc.onMapCount); ++o) {
      const unsigned status = sc.officerState(o).get(state::status);
      if (status == kStrategist || status == kOrdinary) candidates.push_back(o);
    }
    if (candidates.empty()) return true;
    const int o = candidates[static_cast<std::size_t>(pick(0, static_cast<int>(candidates.size()) - 1))];
    const int c = sc.officerState(o).get(state::location);
    const int ruler = sc.force(sc.city(c).get(city::owner)).get(force::ruler);
    const bool rulersCity = sc.city(c).get(city::governor) == ruler;
    try {
      appointGovernor(set, s, OfficerNumber{o});
    } catch (const EditError& error) {
      ADD_FAILURE() << "step " << number << ": appointing " << o << " failed: " << error.text();
      return false;
    }
    const std::vector<int> list = servingList(scenario(s), c);
    const std::size_t expectedPlace = rulersCity ? 1 : 0;
    EXPECT_TRUE(list.size() > expectedPlace && list[expectedPlace] == o) << "step " << number;
    ++tally.appointments;
    return stillConsistent(number, "appointGovernor");
  }

  bool activate(std::size_t s, int number) {
    const Scenario& sc = scenario(s);
    if (set.waitingQueue[s].empty()) return true;
    const std::vector<WaitingEntry>& queue = set.waitingQueue[s];
    const WaitingEntry entry = queue[static_cast<std::size_t>(pick(0, static_cast<int>(queue.size()) - 1))];
    const int statuses[] = {1, 2, 4, 5, 1, 2, 4, 5, 0, 3, 6};
    const int newStatus = statuses[pick(0, 10)];
    int c = sc.officerState(entry.index + 1).get(state::location);
    if (!isCityNumber(c)) c = 1;
    const bool serving = newStatus == 1 || newStatus == 2;
    const bool refused = serving && sc.city(c).get(city::owner) > 0 && sc.city(c).get(city::governor) == -1;
    const int firstWaiting = static_cast<int>(sc.onMapCount);

    if (newStatus == 0 || newStatus == 3 || newStatus == 6) {
      const ScenarioSet before = set;
      EXPECT_EQ(activateWaitingOfficer(set, s, entry.id, newStatus), std::nullopt);
      EXPECT_EQ(set, before) << "step " << number;
      ++tally.ignoredActivations;
      return set == before;
    }
    ScenarioSet trial = set;
    std::optional<OfficerIndex> index;
    try {
      index = activateWaitingOfficer(trial, s, entry.id, newStatus);
    } catch (const EditError& error) {
      EXPECT_TRUE(refused && contains(error.text(), kNoGovernor)) << "step " << number << ": unexpected refusal";
      ++tally.refusedActivations;
      return refused;
    }
    EXPECT_FALSE(refused) << "step " << number << ": an activation the rules refuse succeeded";
    EXPECT_EQ(index, OfficerIndex{firstWaiting}) << "step " << number;
    set = std::move(trial);
    EXPECT_EQ(set.officerIndexOf(s, entry.id), OfficerIndex{firstWaiting});
    ++tally.activations;
    return stillConsistent(number, "activateWaitingOfficer") && !refused;
  }

  bool add(std::size_t s, int number) {
    Scenario& sc = scenario(s);
    if (sc.waitingCount >= kMaxWaiting) return true;
    std::set<int> used;
    for (const OfficerProfile& profile : sc.profiles) used.insert(profile.get(profile::id));
    int id = pick(0, kIdLimit - 1);
    while (used.count(id)) id = pick(0, kIdLimit - 1);
    const std::uint32_t n = sc.officerCount;
    addWaitingOfficer(set, s, id);
    scenario(s)
        .officerState(static_cast<int>(n) + 1)
        .set(state::location, static_cast<std::int8_t>(pick(1, kCityCount)));
    EXPECT_EQ(set.officerIndexOf(s, id), OfficerIndex{static_cast<std::int32_t>(n)});
    ++tally.additions;
    return stillConsistent(number, "addWaitingOfficer");
  }

  std::mt19937 rng_;
};

// The sequence has to exercise what it is about, not only refusals.
void expectExercised(const Tally& t) {
  EXPECT_GT(t.moves, 800);
  EXPECT_GT(t.rulerMoves, 5);
  EXPECT_GT(t.releases, 5);
  EXPECT_GT(t.appointments, 300);
  EXPECT_GT(t.activations, 100);
}

TEST(PlacementRandomTest, LongSequencesKeepEveryScenarioValid) {
  for (unsigned seed : {20240601u, 7u, 99991u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomSequence sequence(seed, busyValidSet());
    ASSERT_EQ(validationError(sequence.set), "");
    for (int number = 0; number < 3000; ++number)
      if (!sequence.step(number)) break;
    const Tally& t = sequence.tally;
    expectExercised(t);
    EXPECT_GT(t.refusedMoves, 50);
    EXPECT_GT(t.ignoredActivations, 10);
    EXPECT_GT(t.additions, 50);
    std::cout << "seed " << seed << ": moves " << t.moves << " (rulers " << t.rulerMoves << ", releasing " << t.releases
              << ", refused " << t.refusedMoves << "), appointments " << t.appointments << ", activations "
              << t.activations << " (refused " << t.refusedActivations << ", ignored " << t.ignoredActivations
              << "), additions " << t.additions << '\n';
  }
}

TEST(PlacementRandomTest, LongSequencesKeepTheBuiltInScenariosValid) {
  ScenarioSet builtIn;
  loadScenarioSet(builtIn, builtInData().sndata, builtInData().taiki);
  RandomSequence sequence(1234u, std::move(builtIn));
  for (int number = 0; number < 3000; ++number)
    if (!sequence.step(number)) break;
  expectExercised(sequence.tally);
}

TEST(PlacementRandomTest, TheChecksOfTheSequenceNoticeBrokenSets) {
  // Appointing an unaffiliated officer puts him at the head of a serving list as well: the validator
  // must see that, or the sequence above would prove nothing.
  ScenarioSet set = smallValidSet();
  appointGovernor(set, 0, OfficerNumber{10});
  EXPECT_NE(validationError(set), "");

  ScenarioSet swapped = smallValidSet();
  std::swap(swapped.waitingQueue[0][0], swapped.waitingQueue[0][1]);
  EXPECT_NE(derivedIndexMismatch(swapped), "");
  ScenarioSet stale = smallValidSet();
  stale.officerIndexById[1][40] = 3;
  EXPECT_NE(derivedIndexMismatch(stale), "");
}

}  // namespace
}  // namespace vorandel::testing
