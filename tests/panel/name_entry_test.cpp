// The name buffer's edges; typing, digits, Backspace, Enter and a name of
// blanks are driven through the real dialog by panel_modal_screens_test.
#include "game/panels/name_entry.h"

#include <gtest/gtest.h>

#include <string>

TEST(NameEntry, ThirtyLettersAtMostBackspaceStopsAtEmptyAndOnlyOuterBlanksGo) {
    NameBuffer name;
    EXPECT_EQ(ApplyNameKey(name, kKeyBackspace), NameKeyResult::Changed);
    EXPECT_EQ(name.length, 0);
    for (int i = 0; i < 31; ++i)
        ApplyNameKey(name, kKeyA + 10);
    EXPECT_EQ(name.length, kNameMaxLength);
    EXPECT_EQ(std::string(name.text.data()), std::string(30, 'K'));
    EXPECT_EQ(name.text[30], 0); // still terminated
    ApplyNameKey(name, kKeyBackspace);
    EXPECT_EQ(std::string(name.text.data()), std::string(29, 'K'));

    NameBuffer inner;
    for (int32_t key : {kKeySpace, kKeyA, kKeySpace})
        ApplyNameKey(inner, key);
    EXPECT_EQ(ApplyNameKey(inner, kKeyReturn), NameKeyResult::Enter);
    EXPECT_STREQ(inner.text.data(), " A ");
}
