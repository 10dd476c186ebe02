// The game's integers are little-endian whatever the machine: the copy that a little-endian machine
// makes must read and write exactly the bytes that the byte-at-a-time form does.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "model/Field.h"

namespace vorandel {
namespace {

template <class T>
void expectSameAsByBytes(std::mt19937& random) {
  for (int round = 0; round < 200; ++round) {
    std::array<std::uint8_t, sizeof(T)> bytes;
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    const T read = loadLe<T>(bytes.data());
    EXPECT_EQ(read, loadLeBytes<T>(bytes.data()));
    std::array<std::uint8_t, sizeof(T)> written{}, writtenByBytes{};
    storeLe(written.data(), read);
    storeLeBytes(writtenByBytes.data(), read);
    EXPECT_EQ(written, writtenByBytes);
    EXPECT_EQ(written, bytes);
  }
}

TEST(FieldBytes, IntegersAreLittleEndianOnEveryMachine) {
  const std::uint8_t bytes[4] = {0x78, 0x56, 0x34, 0xF2};
  EXPECT_EQ(loadLe<std::uint16_t>(bytes), 0x5678);
  EXPECT_EQ(loadLe<std::uint32_t>(bytes), 0xF2345678u);
  EXPECT_EQ(loadLe<std::int32_t>(bytes), static_cast<std::int32_t>(0xF2345678u));
  EXPECT_EQ(loadLe<std::int16_t>(bytes + 2), static_cast<std::int16_t>(0xF234));
  std::uint8_t written[2] = {};
  storeLe<std::int16_t>(written, -2);
  EXPECT_EQ(written[0], 0xFE);
  EXPECT_EQ(written[1], 0xFF);

  std::mt19937 random(7);
  expectSameAsByBytes<std::uint8_t>(random);
  expectSameAsByBytes<std::int8_t>(random);
  expectSameAsByBytes<std::uint16_t>(random);
  expectSameAsByBytes<std::int16_t>(random);
  expectSameAsByBytes<std::uint32_t>(random);
  expectSameAsByBytes<std::int32_t>(random);
}

}  // namespace
}  // namespace vorandel
