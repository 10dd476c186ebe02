#pragma once
// The least experience an officer has for his growth type (rows 0..15) and number of learned skills
// (columns 0..6); the officer table raises experience to it, so generated officers start there or above.
#include <array>
#include <cstdint>

namespace vorandel::gendata {

inline constexpr std::array<std::array<std::uint16_t, 7>, 16> kLeastExperience{{
    {0, 700, 1300, 2600, 5200, 8000, 12000},
    {0, 1000, 2000, 4000, 8000, 16000, 32000},
    {0, 1000, 2000, 3000, 4000, 5000, 50000},
    {0, 1200, 2400, 4800, 9600, 14400, 28800},
    {0, 1300, 2600, 5200, 8000, 12000, 16000},
    {0, 2400, 4800, 9600, 12000, 18000, 24000},
    {0, 3000, 6000, 9000, 12000, 15000, 18000},
    {0, 6000, 12000, 18000, 27000, 36000, 45000},
    {0, 10000, 13000, 16000, 19000, 22000, 25000},
    {0, 10000, 11000, 12000, 30000, 31000, 32000},
    {0, 11000, 12000, 21000, 22000, 41000, 42000},
    {0, 12000, 18000, 24000, 36000, 48000, 60000},
    {0, 15000, 21000, 27000, 33000, 39000, 51000},
    {0, 20000, 25000, 30000, 35000, 40000, 45000},
    {0, 24000, 28000, 32000, 36000, 40000, 48000},
    {0, 30000, 35000, 40000, 45000, 50000, 60000},
}};

}  // namespace vorandel::gendata
