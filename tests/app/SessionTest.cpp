// The session keeps the set start-up proved consistent, untouched by every change of the current set, and
// gives it back as often as asked.
#include "app/Session.h"

#include <gtest/gtest.h>

#include "model/EditError.h"
#include "model/Loader.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

void setMoney(Session& session, std::int32_t money) {
  session.changeCurrent().scenarios[1].force(2).set(force::money, money);
}

TEST(Session, KeepsThePristineSetThroughChangesAndRestores) {
  const ScenarioSet start = testing::smallValidSet();
  Session session;
  session.startFrom(start);
  EXPECT_EQ(session.current(), start);
  EXPECT_EQ(session.pristine(), start);

  // Two changes in a row: the second must not take the changed set for the pristine one.
  setMoney(session, 4321);
  setMoney(session, 1234);
  EXPECT_NE(session.current(), start);
  EXPECT_EQ(session.pristine(), start);

  session.restorePristine();
  EXPECT_EQ(session.current(), start);
  EXPECT_EQ(session.pristine(), start);

  // A change after a restore, then two restores.
  setMoney(session, 99);
  EXPECT_EQ(session.pristine(), start);
  session.restorePristine();
  session.restorePristine();
  EXPECT_EQ(session.current(), start);
  EXPECT_EQ(session.pristine(), start);
}

TEST(Session, StartsOverFromANewSetAndKeepsTheOldOneWhenStartUpFails) {
  const ScenarioSet start = testing::smallValidSet();
  Session session;
  session.startFrom(start);
  setMoney(session, 4321);

  ScenarioSet other = start;
  other.scenarios[1].force(2).set(force::money, 777);
  const testing::FileBytes otherBytes = testing::writeToBytes(other);
  other = ScenarioSet{};
  loadScenarioSet(other, otherBytes.sndata, otherBytes.taiki);  // as start-up reads it
  startUp(session, otherBytes.sndata, otherBytes.taiki);
  EXPECT_EQ(session.current(), other);
  EXPECT_EQ(session.pristine(), other) << "the set started from is the pristine one, not the earlier start";

  ScenarioSet broken = start;
  broken.scenarios[0].city(11).set(city::owner, 2);
  const testing::FileBytes brokenBytes = testing::writeToBytes(broken);
  EXPECT_THROW(startUp(session, brokenBytes.sndata, brokenBytes.taiki), EditError);
  EXPECT_EQ(session.current(), other);
  EXPECT_EQ(session.pristine(), other);
}

}  // namespace
}  // namespace vorandel
