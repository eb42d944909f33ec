#include "skin/menu_ex_library.h"

#include "base/text.h"

namespace tarn {

MenuExItem MakeMenuExItem(uint32_t id, std::u16string_view text, uint32_t parent) {
    MenuExItem item{};
    item.parent = parent;
    item.id = id;
    CopyToFixed(item.text, text);
    return item;
}

}  // namespace tarn
