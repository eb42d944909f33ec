// The built-in texts of the program links: tray balloons and the "Programs" dialog, in
// Simplified Chinese while ChineseUi is 1 and in English otherwise.
#pragma once

#include <string>
#include <string_view>

#include "settings/program_links.h"

namespace tarn {

// The profile's name as the profile buttons' tooltips give it ("Profile 3").
std::u16string ProfileName(int slot);

// Balloons.
std::u16string ProgramInFrontText(std::u16string_view program);
std::u16string_view BackToChosenText();
std::u16string_view LinksTitle();
// What a links file that did not load means, for the balloon and the dialog.
std::u16string LinksProblemText(const LinksLoad& load, const std::u16string& path);
std::u16string ProfileUnreadableText(const std::u16string& path);

// The dialog.
std::u16string_view AddCaption();
std::u16string_view PickCaption();
std::u16string PickCountdownCaption(int seconds);
std::u16string_view RemoveCaption();
std::u16string_view CloseCaption();
std::u16string_view NoProgramText();
std::u16string_view LinksIntroText();
std::u16string_view NoLinksYetText();
std::u16string LinkChangeText(LinkChange change, std::u16string_view program, int slot);
// A program linked to a later slot than `lower` too: the lower one wins.
std::u16string ShadowedText(std::u16string_view program, int lower);
std::u16string SaveFailedText(const std::u16string& path);
std::u16string PickCountdownText(int seconds);
std::u16string_view PickedOwnText();
std::u16string_view PickedNothingText();
std::u16string_view ChooseProfileText();
std::u16string_view ChooseProgramText();
// The first save over a damaged file kept that file under this path.
std::u16string DamagedKeptText(const std::u16string& keptPath);
// The system's open dialog: its title and its filter ('|'-separated, as the profile files').
std::u16string_view ChooseProgramTitle();
std::u16string_view ProgramFileFilter();

}  // namespace tarn
