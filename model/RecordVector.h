#pragma once
// A vector of records that are plain bytes, as the scenario's officers are held. It differs from a
// std::vector in two ways, both for the loader's and the batches' speed:
// - growing it without values (resize(n), emplace_back()) leaves the new records' bytes unset, for the
//   caller to write; the loader writes every byte of the records it appends, and zeroing them first
//   took a fifth of its time. Where zeros are wanted, say so: resize(n, OfficerState{});
// - a copy is one memcpy of all the records.
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace vorandel {

template <class T>
struct UnfilledAllocator : std::allocator<T> {
  using value_type = T;
  template <class U>
  struct rebind {
    using other = UnfilledAllocator<U>;
  };

  UnfilledAllocator() noexcept = default;
  template <class U>
  UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}  // converts as std::allocator does

  // Default-initialises: a record's bytes stay as they are.
  template <class U>
  void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(place)) U;
  }
  template <class U, class... Args>
  void construct(U* place, Args&&... args) {
    ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
  }

  template <class U>
  friend bool operator==(const UnfilledAllocator&, const UnfilledAllocator<U>&) noexcept {
    return true;
  }
};

template <class Record>
class RecordVector : public std::vector<Record, UnfilledAllocator<Record>> {
  static_assert(std::is_trivially_copyable_v<Record>, "records are plain bytes");
  using Base = std::vector<Record, UnfilledAllocator<Record>>;

 public:
  using Base::Base;
  RecordVector() = default;
  RecordVector(const RecordVector& other) : Base() { copyFrom(other); }
  RecordVector(RecordVector&&) noexcept = default;
  RecordVector& operator=(const RecordVector& other) {
    if (this != &other) copyFrom(other);
    return *this;
  }
  RecordVector& operator=(RecordVector&&) noexcept = default;
  ~RecordVector() = default;

 private:
  void copyFrom(const RecordVector& other) {
    this->clear();
    this->resize(other.size());  // bytes unset, written below
    if (!other.empty()) std::memcpy(this->data(), other.data(), sizeof(Record) * other.size());
  }
};

}  // namespace vorandel
