#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace zelvorn {

// The section size of a sparse array, fixed when the array is made: small sections hold 16
// items, large ones 256.
enum class TSparseQuantum : std::uint8_t { sqSmall = 0, sqLarge = 1 };

// A sparse array of owned items indexed from 0: a directory of at most 65,535 sections, each a
// fixed run of slots, allocated only when an item is stored in it. Index i lives in section
// i >> shift at slot i & mask. An empty slot reads as no item. A one-entry cache remembers the
// last index read; every write that makes a slot clears it.
//
// Sections and the directory are kept until the array dies: emptying a slot frees the item,
// never the section.
template <typename T>
class TSparsePointerArray {
 public:
  static constexpr std::int32_t kMaxSections = 65535;

  explicit TSparsePointerArray(TSparseQuantum quantum)
      : quantum_(quantum),
        section_shift_(quantum == TSparseQuantum::sqSmall ? 4 : 8),
        section_size_(std::int32_t{1} << section_shift_),
        slot_mask_(section_size_ - 1) {}

  TSparseQuantum Quantum() const { return quantum_; }
  std::int32_t SectionSize() const { return section_size_; }
  // 1,048,559 for small sections, 16,776,959 for large ones.
  std::int32_t HighestUsableIndex() const { return kMaxSections * section_size_ - 1; }
  // The highest index that holds an item, -1 when none does.
  std::int32_t HighBound() const { return high_bound_; }
  // The number of directory slots, allocated or not.
  std::int32_t DirectorySize() const { return static_cast<std::int32_t>(directory_.size()); }
  // The index the read cache holds, -1 when it holds none.
  std::int32_t CachedIndex() const { return cached_index_; }

  // The item at index i, or nullptr when there is none (also for an index no section can
  // hold). Remembers the answer in the read cache.
  T* Read(std::int32_t index) const {
    if (index == cached_index_) return cached_item_;
    T* item = nullptr;
    if (index >= 0) {
      const std::size_t section = static_cast<std::size_t>(index) >> section_shift_;
      if (section < directory_.size() && directory_[section]) {
        item = directory_[section][index & slot_mask_].get();
      }
    }
    cached_index_ = index;
    cached_item_ = item;
    return item;
  }

  // Stores item at index i (nullptr empties the slot) and frees the item it replaces. Storing
  // nothing into an empty slot changes nothing. An index below 0 or above HighestUsableIndex()
  // fails with EListError.
  void Write(std::int32_t index, std::unique_ptr<T> item) {
    if (index < 0 || index > HighestUsableIndex()) {
      throw EListError(Format(messages::kListIndexError, {index}));
    }
    if (!item && Read(index) == nullptr) return;
    const bool emptying = !item;
    MakeSlot(index) = std::move(item);
    if (emptying && index == high_bound_) high_bound_ = HighestStoredBelow(index);
  }

  // Calls visitor(index, item) for every stored item in index order and stops at the first
  // call that answers other than 0, returning that answer (0 when every call answered 0).
  template <typename Visitor>
  int VisitAll(Visitor&& visitor) const {
    for (std::size_t section = 0; section < directory_.size(); ++section) {
      if (!directory_[section]) continue;
      for (std::int32_t slot = 0; slot < section_size_; ++slot) {
        T* item = directory_[section][slot].get();
        if (item == nullptr) continue;
        const std::int32_t index = static_cast<std::int32_t>(section << section_shift_) + slot;
        if (const int answer = visitor(index, *item); answer != 0) return answer;
      }
    }
    return 0;
  }

  // Empty when the array's bookkeeping agrees with its contents, else a description of the
  // first disagreement.
  std::string CheckConsistency() const {
    if (directory_.size() > static_cast<std::size_t>(kMaxSections)) return "directory too large";
    std::int32_t highest = -1;
    VisitAll([&highest](std::int32_t index, const T&) {
      highest = index;
      return 0;
    });
    if (highest != high_bound_) {
      return Format("high bound %d, highest stored index %d", {high_bound_, highest});
    }
    if (cached_index_ != -1 && cached_item_ != PeekSlot(cached_index_)) {
      return Format("read cache for index %d is stale", {cached_index_});
    }
    return {};
  }

 private:
  using Section = std::unique_ptr<std::unique_ptr<T>[]>;

  // The slot for index i, ready for writing: grows the directory and allocates the section as
  // needed, raises the high bound and clears the read cache.
  std::unique_ptr<T>& MakeSlot(std::int32_t index) {
    const std::size_t section = static_cast<std::size_t>(index) >> section_shift_;
    if (section >= directory_.size()) directory_.resize(section + 1);
    if (!directory_[section])
      directory_[section] = std::make_unique<std::unique_ptr<T>[]>(section_size_);
    if (index > high_bound_) high_bound_ = index;
    cached_index_ = -1;
    cached_item_ = nullptr;
    return directory_[section][index & slot_mask_];
  }

  // The item at index i without touching the cache.
  T* PeekSlot(std::int32_t index) const {
    if (index < 0) return nullptr;
    const std::size_t section = static_cast<std::size_t>(index) >> section_shift_;
    if (section >= directory_.size() || !directory_[section]) return nullptr;
    return directory_[section][index & slot_mask_].get();
  }

  // The highest index below `limit` that holds an item, -1 when none does. Scans downwards
  // from the limit, which gives the same answer as visiting every item, only sooner.
  std::int32_t HighestStoredBelow(std::int32_t limit) const {
    for (std::int32_t index = limit - 1; index >= 0; --index) {
      const std::size_t section = static_cast<std::size_t>(index) >> section_shift_;
      if (!directory_[section]) {
        index = static_cast<std::int32_t>(section << section_shift_);  // skip the whole section
        continue;
      }
      if (directory_[section][index & slot_mask_]) return index;
    }
    return -1;
  }

  TSparseQuantum quantum_;
  std::int32_t section_shift_;
  std::int32_t section_size_;
  std::int32_t slot_mask_;
  std::vector<Section> directory_;
  std::int32_t high_bound_ = -1;
  mutable std::int32_t cached_index_ = -1;
  mutable T* cached_item_ = nullptr;
};

// A list kept in a sparse array; Count() is the highest index in use plus one.
// A negative index fails with EListError "列表索引越界 (<index>)"; so does writing at an index
// beyond what the array can hold.
template <typename T>
class TSparseList {
 public:
  explicit TSparseList(TSparseQuantum quantum) : array_(quantum) {}

  std::int32_t Count() const { return count_; }
  const TSparsePointerArray<T>& Array() const { return array_; }

  T* Get(std::int32_t index) const {
    CheckIndex(index);
    return array_.Read(index);
  }
  void Put(std::int32_t index, std::unique_ptr<T> item) {
    CheckIndex(index);
    array_.Write(index, std::move(item));
    count_ = array_.HighBound() + 1;
  }

  template <typename Visitor>
  int VisitAll(Visitor&& visitor) const {
    return array_.VisitAll(std::forward<Visitor>(visitor));
  }

  std::string CheckConsistency() const {
    if (std::string problem = array_.CheckConsistency(); !problem.empty()) return problem;
    if (count_ != array_.HighBound() + 1) {
      return Format("count %d, high bound %d", {count_, array_.HighBound()});
    }
    return {};
  }

 private:
  static void CheckIndex(std::int32_t index) {
    if (index < 0) throw EListError(Format(messages::kListIndexError, {index}));
  }

  TSparsePointerArray<T> array_;
  std::int32_t count_ = 0;
};

}  // namespace zelvorn
