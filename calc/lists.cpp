#include "calc/lists.h"

namespace tavrin {

std::string itemText(const ItemList &list, std::int16_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) {
    return "未选";
  }
  return std::string(list.items[static_cast<std::size_t>(index)]);
}

} // namespace tavrin
