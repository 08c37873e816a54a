#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelvorn {

// Per-line sizes in pixels (column widths or row heights), one entry per line. A list with no
// entries does not exist: every line then has the default size.
class TSizeList {
 public:
  // The most entries a list can hold.
  static constexpr std::int32_t kMaxEntries = 134'217'725;

  bool Exists() const { return !entries_.empty(); }
  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  std::span<const std::int32_t> Entries() const { return entries_; }

  // The entry of line i; an index outside 0..Count() - 1 fails with EInvalidGridOperation
  // "网格索引越界".
  std::int32_t At(std::int32_t index) const;
  void Set(std::int32_t index, std::int32_t size);

  // Gives the list new_count entries: entries beyond it are dropped, new ones take `fill`, and 0
  // entries frees the list. A negative count fails with "删除了太多的行或列", a count above
  // kMaxEntries with "操作的网格太大"; a failure leaves the list as it was.
  void Resize(std::int32_t new_count, std::int32_t fill);
  void Free() { std::vector<std::int32_t>().swap(entries_); }

 private:
  void CheckIndex(std::int32_t index) const;

  std::vector<std::int32_t> entries_;
};

}  // namespace zelvorn
