#pragma once
// What each fuzzing harness does with one input. The same functions run under libFuzzer (the harness
// programs in this folder) and in the normal test suite, which replays the kept inputs through them.
//
// Every function treats EditError and StreamError as the expected outcome of bad input and lets
// anything else escape; a broken promise of the code (a round trip that changes bytes, an importer that
// leaves the current set changed after an error) aborts the program.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorandel::fuzz {

// Splits an input in two at a 4-byte little-endian length prefix: the first part is that many bytes
// (or all that is left), the second part the rest.
struct InputPair {
  std::string_view first;
  std::string_view second;
};
InputPair splitInput(const std::uint8_t* data, std::size_t size);

// A pair of scenario files (sndata.s5, then taiki.s5, split by splitInput) given to the loader. A pair
// that loads is validated, written to memory, loaded again and written again: both writes must agree.
void loadScenarioPair(const std::uint8_t* data, std::size_t size);

// A name list, officer table, force table or city table applied to the built-in data (kind as the batch
// modes: 0, 1, 2 or 3). A table that is refused must leave the current set exactly as it was; one that is accepted
// is written to memory.
void applyTable(int kind, const std::uint8_t* data, std::size_t size);

// A force table (first byte even) or city table (odd), then an officer table, split by splitInput after
// the first byte, applied in turn to the built-in data. The officer table runs also when the first table
// is refused.
void applyTableThenOfficerTable(const std::uint8_t* data, std::size_t size);

// The text of a write journal as a recovery finds it in a folder. Any text may be refused; a journal that
// is read, written back for the same folder and read again must come back with the same run, stage and
// files (names, temporary names and flags).
void readJournal(const std::uint8_t* data, std::size_t size);

}  // namespace vorandel::fuzz
