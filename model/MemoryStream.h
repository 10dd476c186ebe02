#pragma once
// An input stream over bytes held elsewhere, without copying them. Seeking past the end fails the
// stream, so a chunk offset beyond the data ends in a failed read. The record readers take their bytes
// straight from it (MemoryBuffer::take) instead of copying them out first.
#include <cstddef>
#include <istream>
#include <streambuf>
#include <string_view>

namespace vorandel {

class MemoryBuffer : public std::streambuf {
 public:
  explicit MemoryBuffer(std::string_view bytes) {
    char* begin = const_cast<char*>(bytes.data());  // never written through: this buffer only reads
    setg(begin, begin, begin + bytes.size());
  }

  // The next n bytes where they lie, taken as a read of them would take them; nullptr, and nothing
  // taken, when fewer are left.
  const char* take(std::size_t n) {
    if (static_cast<std::size_t>(egptr() - gptr()) < n) return nullptr;
    const char* bytes = gptr();
    setg(eback(), gptr() + n, egptr());
    return bytes;
  }

 protected:
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override {
    if (!(which & std::ios_base::in)) return pos_type(off_type(-1));
    off_type base = 0;
    if (dir == std::ios_base::cur) base = gptr() - eback();
    if (dir == std::ios_base::end) base = egptr() - eback();
    return seekpos(pos_type(base + off), which);
  }
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    const off_type target = off_type(pos);
    if (!(which & std::ios_base::in) || target < 0 || target > egptr() - eback()) return pos_type(off_type(-1));
    setg(eback(), eback() + target, egptr());
    return pos;
  }
};

class MemoryInputStream : public std::istream {
 public:
  explicit MemoryInputStream(std::string_view bytes) : std::istream(nullptr), buffer_(bytes) { rdbuf(&buffer_); }

 private:
  MemoryBuffer buffer_;
};

}  // namespace vorandel
