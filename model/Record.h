#pragma once
// Records of the game's files, held as raw bytes in the game's layout. Record<Size> owns its bytes;
// RecordView<Size> addresses a record that lives inside a larger one (a city or force inside the
// scenario block). Both read and write through the field constants of Field.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "model/Field.h"

namespace vorandel {

// Raised by an array access with an index outside the array; callers check their numbers first with the
// message that fits, so this is a last line of defence against reaching outside a record.
[[noreturn]] void raiseFieldIndexError();

template <std::size_t Size, class Byte>
class RecordView {
  static constexpr bool writable = !std::is_const_v<Byte>;

 public:
  static constexpr std::size_t size = Size;

  explicit RecordView(Byte* bytes) : bytes_(bytes) {}
  Byte* data() const { return bytes_; }

  template <class T, std::size_t Off>
  T get(Field<T, Off>) const {
    static_assert(Off + sizeof(T) <= Size);
    return loadLe<T>(bytes_ + Off);
  }
  template <class T, std::size_t Off>
  void set(Field<T, Off>, std::type_identity_t<T> value) const requires writable {
    static_assert(Off + sizeof(T) <= Size);
    storeLe<T>(bytes_ + Off, value);
  }

  template <std::size_t Off, unsigned Shift, unsigned Width, class S>
  unsigned get(BitField<Off, Shift, Width, S> f) const {
    static_assert(Off + sizeof(S) <= Size);
    return static_cast<unsigned>((loadLe<S>(bytes_ + Off) & f.mask) >> Shift);
  }
  template <std::size_t Off, unsigned Shift, unsigned Width, class S>
  void set(BitField<Off, Shift, Width, S> f, unsigned value) const requires writable {
    static_assert(Off + sizeof(S) <= Size);
    const S old = loadLe<S>(bytes_ + Off);
    storeLe<S>(bytes_ + Off, static_cast<S>((old & ~f.mask) | ((value << Shift) & f.mask)));
  }

  template <class T, std::size_t Off, std::size_t N>
  T get(ArrayField<T, Off, N>, std::size_t i) const {
    static_assert(Off + N * sizeof(T) <= Size);
    if (i >= N) raiseFieldIndexError();
    return loadLe<T>(bytes_ + Off + i * sizeof(T));
  }
  template <class T, std::size_t Off, std::size_t N>
  void set(ArrayField<T, Off, N>, std::size_t i, std::type_identity_t<T> value) const requires writable {
    static_assert(Off + N * sizeof(T) <= Size);
    if (i >= N) raiseFieldIndexError();
    storeLe<T>(bytes_ + Off + i * sizeof(T), value);
  }

  // The bytes of a name field, up to its first NUL.
  template <std::size_t Off, std::size_t Len>
  std::string_view text(BytesField<Off, Len>) const {
    static_assert(Off + Len <= Size);
    const char* p = reinterpret_cast<const char*>(bytes_ + Off);
    std::size_t n = 0;
    while (n < Len && p[n] != '\0') ++n;
    return std::string_view(p, n);
  }
  // Writes the text into the first `width` bytes of the field, padded with NUL bytes; the text must fit.
  template <std::size_t Off, std::size_t Len>
  void setText(BytesField<Off, Len>, std::string_view value, std::size_t width) const requires writable {
    static_assert(Off + Len <= Size);
    if (width > Len || value.size() > width) raiseFieldIndexError();
    for (std::size_t i = 0; i < width; ++i)
      bytes_[Off + i] = i < value.size() ? static_cast<std::uint8_t>(value[i]) : std::uint8_t{0};
  }

 private:
  Byte* bytes_;
};

// A trivial type, so that a vector of records copies as one block of bytes. Declare one with {} to have
// it zeroed: `OfficerState state{};`. Vectors of records zero the ones they add.
template <std::size_t Size>
struct Record {
  static constexpr std::size_t size = Size;
  std::array<std::uint8_t, Size> bytes;

  RecordView<Size, std::uint8_t> view() { return RecordView<Size, std::uint8_t>(bytes.data()); }
  RecordView<Size, const std::uint8_t> view() const { return RecordView<Size, const std::uint8_t>(bytes.data()); }

  template <class F, class... Index>
  auto get(F field, Index... i) const {
    return view().get(field, i...);
  }
  template <class F, class... Args>
  void set(F field, Args... args) {
    view().set(field, args...);
  }
  template <class F>
  std::string_view text(F field) const {
    return view().text(field);
  }
  template <class F>
  void setText(F field, std::string_view value, std::size_t width) {
    view().setText(field, value, width);
  }

  friend bool operator==(const Record&, const Record&) = default;
};

}  // namespace vorandel
