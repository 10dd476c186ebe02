#pragma once
// Fields of the game's records: each is a named constant that knows its byte offset and type, so that a
// record is read and written as `record.get(officer::war)` at the game's own little-endian, unaligned
// layout. Offsets are checked against the record size at compile time.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace vorandel {

// A whole little-endian integer at a fixed offset.
template <class T, std::size_t Offset>
struct Field {
  static_assert(std::is_integral_v<T>);
  using Type = T;
  static constexpr std::size_t offset = Offset;
  static constexpr std::size_t end = Offset + sizeof(T);
};

// Width bits from bit Shift of the unsigned integer Storage at a fixed offset; read as an unsigned number.
template <std::size_t Offset, unsigned Shift, unsigned Width, class Storage = std::uint8_t>
struct BitField {
  static_assert(std::is_unsigned_v<Storage> && Shift + Width <= 8 * sizeof(Storage));
  using Type = unsigned;
  static constexpr std::size_t offset = Offset;
  static constexpr std::size_t end = Offset + sizeof(Storage);
  static constexpr Storage mask = static_cast<Storage>(((1ull << Width) - 1) << Shift);
};

// Count integers of type T, one after the other from a fixed offset.
template <class T, std::size_t Offset, std::size_t Count>
struct ArrayField {
  using Type = T;
  static constexpr std::size_t offset = Offset;
  static constexpr std::size_t count = Count;
  static constexpr std::size_t end = Offset + Count * sizeof(T);
};

// A run of raw bytes (a name) at a fixed offset.
template <std::size_t Offset, std::size_t Length>
struct BytesField {
  static constexpr std::size_t offset = Offset;
  static constexpr std::size_t length = Length;
  static constexpr std::size_t end = Offset + Length;
};

// The game's integers are little-endian: read and written a byte at a time, these are right on every
// machine.
template <class T>
T loadLeBytes(const std::uint8_t* p) {
  using U = std::make_unsigned_t<T>;
  U value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value = static_cast<U>(value | static_cast<U>(U(p[i]) << (8 * i)));
  return static_cast<T>(value);
}

template <class T>
void storeLeBytes(std::uint8_t* p, T value) {
  using U = std::make_unsigned_t<T>;
  const U bits = static_cast<U>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// The same; on a little-endian machine the integer is copied as it lies, which the compiler does in one
// instruction (it does not always see that through the bytes).
template <class T>
T loadLe(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
  } else {
    return loadLeBytes<T>(p);
  }
}

template <class T>
void storeLe(std::uint8_t* p, T value) {
  if constexpr (std::endian::native == std::endian::little)
    std::memcpy(p, &value, sizeof(T));
  else
    storeLeBytes(p, value);
}

}  // namespace vorandel
