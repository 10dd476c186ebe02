// A set copied for a batch's working copy is a set of its own.
#include <gtest/gtest.h>

#include "rules/Placement.h"
#include "rules/WaitingOfficers.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

// A copy shares nothing with its original: the edits a batch makes to its working copy through every
// part of the set (records, counts, the indexes by id, the waiting queue) leave the original whole.
TEST(ScenarioSet, EditsOfACopyLeaveTheOriginalAsItWas) {
  const ScenarioSet original = testing::smallValidSet();
  const testing::FileBytes written = testing::writeToBytes(original);
  ScenarioSet copy = original;
  activateWaitingOfficer(copy, 0, 41, kOrdinary);
  addWaitingOfficer(copy, 1, 2500);
  moveOfficer(copy, 1, OfficerNumber{5}, CityNumber{11}, true);
  ASSERT_NE(copy, original);
  EXPECT_EQ(testing::derivedIndexMismatch(copy), "");
  EXPECT_EQ(testing::derivedIndexMismatch(original), "");
  const testing::FileBytes again = testing::writeToBytes(original);
  EXPECT_TRUE(again.sndata == written.sndata && again.taiki == written.taiki);
  EXPECT_EQ(original.idCapacity, 43u) << "the copy's larger index is its own";
  copy = original;
  EXPECT_EQ(copy, original);
}

}  // namespace
}  // namespace vorandel
