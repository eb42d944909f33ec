#include "app/program_links_texts.h"

#include "base/language_state.h"
#include "base/text.h"

namespace tarn {

namespace {

std::u16string Number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// One pass over the format: "%s" takes the text, "%p" the profile's name, "%d" the number. What
// is filled in is never read as a format, so a program or path with '%' in it shows as it is.
std::u16string Fill(std::u16string_view format, std::u16string_view text, int number = 0,
                    std::u16string_view profile = {}) {
    std::u16string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            const char16_t kind = format[i + 1];
            if (kind == u's' || kind == u'p' || kind == u'd') {
                out += kind == u's' ? std::u16string(text)
                       : kind == u'p' ? std::u16string(profile)
                                      : Number(number);
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace

std::u16string ProfileName(int slot) {
    const StringKey keys[kSlotCount] = {StringKey::str_profile1, StringKey::str_profile2,
                                        StringKey::str_profile3, StringKey::str_profile4,
                                        StringKey::str_profile5};
    if (slot < 0 || slot >= kSlotCount) return {};
    const std::u16string& text = Text(keys[slot]);
    if (!text.empty()) return text;
    return Fill(Localized(u"配置 %d", u"Profile %d"), {}, slot + 1);
}

std::u16string ProgramInFrontText(std::u16string_view program) {
    return Fill(Localized(u"%s 在前台", u"%s is in front"), program);
}

std::u16string_view BackToChosenText() {
    return Localized(u"回到您选择的配置", u"Back to the profile you chose");
}

std::u16string_view LinksTitle() {
    return Localized(u"程序关联", u"Programs");
}

std::u16string LinksProblemText(const LinksLoad& load, const std::u16string& path) {
    switch (load.status) {
        case LinksStatus::Damaged:
            if (load.line > 0) {
                return Fill(Localized(u"%s 已损坏（第 %d 行）：在重新设置关联之前，程序不会切换配置。",
                                      u"%s is damaged (line %d): no program brings a profile "
                                      u"until the links are set again."),
                            path, load.line);
            }
            return Fill(Localized(u"%s 已损坏：在重新设置关联之前，程序不会切换配置。",
                                  u"%s is damaged: no program brings a profile until the links "
                                  u"are set again."),
                        path);
        case LinksStatus::Unreadable:
            return Fill(Localized(u"无法读取 %s：程序不会切换配置。",
                                  u"%s cannot be read: no program brings a profile."),
                        path);
        case LinksStatus::Missing:
        case LinksStatus::Loaded:
            break;
    }
    return {};
}

std::u16string ProfileUnreadableText(const std::u16string& path) {
    return Fill(Localized(u"无法读取 %s，保留当前配置。",
                          u"%s could not be read; the profile shown stays."),
                path);
}

std::u16string_view AddCaption() {
    return Localized(u"添加…", u"Add…");
}

std::u16string_view PickCaption() {
    return Localized(u"选取前台程序", u"Pick in front");
}

std::u16string PickCountdownCaption(int seconds) {
    return Fill(Localized(u"取消 (%d)", u"Cancel (%d)"), {}, seconds);
}

std::u16string_view RemoveCaption() {
    return Localized(u"移除", u"Remove");
}

std::u16string_view CloseCaption() {
    return Localized(u"关闭", u"Close");
}

std::u16string_view NoProgramText() {
    return Localized(u"尚无程序", u"No program yet");
}

std::u16string_view LinksIntroText() {
    return Localized(u"关联的程序来到前台时，切换到它的配置；其他程序来到前台时，恢复您选择的配置。",
                     u"A linked program in front brings its profile; any other program brings "
                     u"back the profile you chose.");
}

std::u16string_view NoLinksYetText() {
    return Localized(u"尚未关联程序：请选择一个配置，然后点击“添加…”或“选取前台程序”。",
                     u"No program is linked yet: choose a profile, then Add… or Pick in front.");
}

std::u16string LinkChangeText(LinkChange change, std::u16string_view program, int slot) {
    std::u16string_view format;
    switch (change) {
        case LinkChange::Added:
            format = Localized(u"%s 来到前台时将切换到%p。", u"%s now brings %p.");
            break;
        case LinkChange::AlreadyLinked:
            format = Localized(u"%s 已关联%p。", u"%s already brings %p.");
            break;
        case LinkChange::Removed:
            format = Localized(u"%s 不再切换到%p。", u"%s no longer brings %p.");
            break;
        case LinkChange::NotLinked:
            format = Localized(u"%s 未关联%p。", u"%s is not linked to %p.");
            break;
        case LinkChange::BadName:
        case LinkChange::BadSlot:
            return Fill(Localized(u"“%s”不是程序的文件名。", u"\"%s\" is not a program's file name."),
                        program);
    }
    return Fill(format, program, 0, ProfileName(slot));
}

std::u16string ShadowedText(std::u16string_view program, int lower) {
    return Fill(Localized(u"%s 也关联了%p，编号小的配置优先。",
                          u"%s is also linked to %p, which comes first."),
                program, 0, ProfileName(lower));
}

std::u16string SaveFailedText(const std::u16string& path) {
    return Fill(Localized(u"无法保存 %s，关联未改变。", u"%s could not be saved; the links stay "
                                                      u"as they were."),
                path);
}

std::u16string PickCountdownText(int seconds) {
    return Fill(Localized(u"请把程序切换到前台：%d 秒后选取。",
                          u"Bring the program to the front: it is picked in %d s."),
                {}, seconds);
}

std::u16string_view PickedOwnText() {
    return Localized(u"未选取：前台是本程序。请在倒计时中切换到要关联的程序。",
                     u"Nothing picked: this program was in front. Switch to the program "
                     u"during the countdown.");
}

std::u16string_view PickedNothingText() {
    return Localized(u"未选取：前台没有程序。", u"Nothing picked: no program was in front.");
}

std::u16string_view ChooseProfileText() {
    return Localized(u"请先在列表中选择一个配置。", u"Choose a profile in the list first.");
}

std::u16string_view ChooseProgramText() {
    return Localized(u"请先在列表中选择一个程序。", u"Choose a program in the list first.");
}

std::u16string DamagedKeptText(const std::u16string& keptPath) {
    return Fill(Localized(u"已损坏的文件保存为 %s。", u"The damaged file was kept as %s."),
                keptPath);
}

std::u16string_view ChooseProgramTitle() {
    return Localized(u"选择程序", u"Choose a program");
}

std::u16string_view ProgramFileFilter() {
    return Localized(u"程序 (*.exe)|*.exe|所有文件 (*.*)|*.*||",
                     u"Programs (*.exe)|*.exe|All files (*.*)|*.*||");
}

}  // namespace tarn
