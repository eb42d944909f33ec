#include "app/start_options.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(StartOptionsTest, SwitchesAreTakenInEitherFormAndAnyCase) {
    const StartOptions options = ParseStartArguments({u"/Simulate", u"--TRAY"});
    EXPECT_TRUE(options.simulate);
    EXPECT_TRUE(options.tray);
    EXPECT_FALSE(options.gallery);

    const StartOptions none = ParseStartArguments({});
    EXPECT_FALSE(none.simulate);
    EXPECT_FALSE(none.tray);
}

TEST(StartOptionsTest, UnknownWordsAndAMissingSkinNameAreIgnored) {
    const StartOptions options = ParseStartArguments({u"tray", u"--later-option", u"-tray"});
    EXPECT_FALSE(options.tray);

    const StartOptions gallery =
        ParseStartArguments({u"--gallery", u"--skin", u"Main", u"--chinese-ui"});
    EXPECT_TRUE(gallery.gallery);
    EXPECT_EQ(gallery.gallerySkin, u"Main");
    EXPECT_TRUE(gallery.galleryChinese);
    EXPECT_TRUE(ParseStartArguments({u"--skin"}).gallerySkin.empty());
}

}  // namespace
}  // namespace tarn
