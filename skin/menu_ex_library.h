// The external menu library "MenuEx.dll": the item record it takes and the arguments every
// caller passes. The game-group menu of the macro page comes from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarn {

inline constexpr uint32_t kMenuExTopLevel = 255;
inline constexpr size_t kMenuExTextUnits = 40;

// One item, 88 bytes, as the library reads it.
struct MenuExItem {
    uint32_t parent;                  // kMenuExTopLevel for a top-level item
    uint32_t id;                      // reported with 0x501 when chosen
    char16_t text[kMenuExTextUnits];  // at most 39 characters, zero-terminated
};
static_assert(sizeof(MenuExItem) == 88);
static_assert(offsetof(MenuExItem, text) == 8);

// A top-level item; a longer text is cut to 39 characters.
MenuExItem MakeMenuExItem(uint32_t id, std::u16string_view text, uint32_t parent = kMenuExTopLevel);

// What the callers hand the library: item height and the three colours (0x00BBGGRR) for the
// normal text, the highlighted text and the highlight.
inline constexpr int kMenuExItemHeight = 24;
inline constexpr uint32_t kMenuExNormalText = 0x676153;
inline constexpr uint32_t kMenuExHotText = 0xFFFFFF;
inline constexpr uint32_t kMenuExHighlight = 0xB98C15;

// The eight pictures, in argument order, under "<programFolder>\skins\Menu\".
inline constexpr const char16_t* kMenuExPictures[8] = {
    u"MenuNorL.BMP",       u"MenuOverL.BMP",       u"MenuDownL.BMP",       u"MenuNorL.BMP",
    u"MenuNorHaveSub.BMP", u"MenuOverHaveSub.BMP", u"MenuDownHaveSub.BMP", u"MenuNorHaveSub.BMP"};

}  // namespace tarn
