#include "controls/grid/size_list.h"

#include "platform/exceptions.h"
#include "platform/messages.h"

namespace zelvorn {

std::int32_t TSizeList::At(std::int32_t index) const {
  CheckIndex(index);
  return entries_[static_cast<std::size_t>(index)];
}

void TSizeList::Set(std::int32_t index, std::int32_t size) {
  CheckIndex(index);
  entries_[static_cast<std::size_t>(index)] = size;
}

void TSizeList::Resize(std::int32_t new_count, std::int32_t fill) {
  if (new_count < 0) throw EInvalidGridOperation(messages::kTooManyDeleted);
  if (new_count > kMaxEntries) throw EInvalidGridOperation(messages::kGridTooLarge);
  if (new_count == 0) {
    Free();
    return;
  }
  // std::vector::resize leaves the list untouched when the allocation fails.
  entries_.resize(static_cast<std::size_t>(new_count), fill);
}

void TSizeList::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) throw EInvalidGridOperation(messages::kGridIndexOutOfRange);
}

}  // namespace zelvorn
