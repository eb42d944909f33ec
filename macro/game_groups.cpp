#include "macro/game_groups.h"

#include "base/language_state.h"

namespace tarn {

namespace {

struct GroupTitles {
    std::u16string_view chineseMenu;
    std::u16string_view chineseSelector;
    std::u16string_view englishMenu;
    std::u16string_view englishSelector;
};

// The blanks at the ends and "Customisze" are the texts users have always seen; keep them.
constexpr GroupTitles kTitles[kGameGroupCount] = {
    {u"战地 3 ", u"战地 3", u"Battlefield 3 ", u"Battlefield 3"},
    {u"星球大战:旧共和国", u"星球大战:旧共和国", u"Star Wars: The Old Republic",
     u"Star Wars: The Old Republic"},
    {u"反恐精英:全球攻势", u"反恐精英:全球攻势", u"Counter-Strike: Global Offensive",
     u"Counter-Strike: Global Offensive"},
    {u"上古卷轴5：天际", u"上古卷轴5：天际", u"Elder Scrolls V: Skyrim",
     u"Elder Scrolls V: Skyrim"},
    {u"军团要塞2", u"军团要塞 2", u"Team Fortress 2", u"Team Fortress 2"},
    {u"蝙蝠侠：阿甘之城", u"蝙蝠侠：阿甘之城", u"Batman Arkham City", u"Batman Arkham City"},
    {u"文明 5 ", u"文明 5 ", u"Civilization 5 ", u"Civilization 5 "},
    {u"坦克世界", u"坦克世界", u"World of Tanks", u"World of Tanks"},
    {u"无主之地 2", u"无主之地 2", u"Borderlands 2", u"Borderlands 2"},
    {u"纪元 2070：雷诺起源", u"纪元 2070：雷诺起源", u"Anno 2070", u"Anno 2070"},
    {u"英雄联盟(LOL)", u"英雄联盟(LOL)", u"League of Legends", u"League of Legends"},
    {u"足球经理 2013 (EA)", u"足球经理 2013 (EA)", u"Football Manager 2013 (EA)",
     u"Football Manager 2013 (EA)"},
    {u"远古遗迹守卫2（Dota 2） ", u"远古遗迹守卫2（Dota 2）", u"Dota 2 ", u"Dota 2 "},
    {u"战地 4", u"战地 4", u"Battlefield 4", u"Battlefield 4"},
    {u"战机世界", u"战机世界", u"World of Warplanes", u"World of Warplanes"},
    {u"足球经理 2013 (SEGA)", u"足球经理 2013 (SEGA)", u"Football Manager 2013 (SEGA)",
     u"Football Manager 2013 (SEGA)"},
    {u"我的世界", u"我的世界", u"Minecraft", u"Minecraft"},
    {u"无冬之夜", u"无冬之夜", u"Neverwinter", u"Neverwinter"},
    {u"流亡黯道", u"流亡黯道", u"Path of Exile", u"Path of Exile"},
    {u"战争雷霆", u"战争雷霆", u"War Thunder", u"War Thunder"},
    {u"玩家自定义", u"玩家自定义", u"Customize", u"Customisze"},
};

const GroupTitles* TitlesOf(GameGroup group) {
    return IsGameGroup(group) ? &kTitles[group - kFirstGameGroup] : nullptr;
}

}  // namespace

std::u16string_view GameGroupMenuText(GameGroup group, bool chinese) {
    const GroupTitles* t = TitlesOf(group);
    if (!t) return {};
    return chinese ? t->chineseMenu : t->englishMenu;
}

std::u16string_view GameGroupSelectorText(GameGroup group, bool chinese) {
    const GroupTitles* t = TitlesOf(group);
    if (!t) return {};
    return chinese ? t->chineseSelector : t->englishSelector;
}

std::u16string_view GameGroupMenuText(GameGroup group) {
    return GameGroupMenuText(group, ChineseUi == 1);
}

std::u16string_view GameGroupSelectorText(GameGroup group) {
    return GameGroupSelectorText(group, ChineseUi == 1);
}

}  // namespace tarn
