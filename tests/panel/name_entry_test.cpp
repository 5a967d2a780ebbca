#include "game/panels/name_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int32_t Letter(char ch) {
    return kKeyA + (ch - 'A');
}

NameBuffer Typed(const std::string& text) {
    NameBuffer name;
    for (char ch : text)
        ApplyNameKey(name, ch == ' ' ? kKeySpace : Letter(ch));
    return name;
}

} // namespace

TEST(NameEntry, LettersAndBlanksUpToThirty) {
    NameBuffer name = Typed("ADA LOVE");
    EXPECT_STREQ(name.text.data(), "ADA LOVE");
    EXPECT_EQ(name.length, 8);

    NameBuffer full = Typed(std::string(31, 'K'));
    EXPECT_EQ(full.length, kNameMaxLength);
    EXPECT_EQ(std::string(full.text.data()), std::string(30, 'K'));
    EXPECT_EQ(full.text[30], 0); // still terminated
    EXPECT_EQ(ApplyNameKey(full, kKeyBackspace), NameKeyResult::Changed);
    EXPECT_EQ(std::string(full.text.data()), std::string(29, 'K'));
}

TEST(NameEntry, BackspaceOnEmptyNameStaysEmpty) {
    NameBuffer name;
    EXPECT_EQ(ApplyNameKey(name, kKeyBackspace), NameKeyResult::Changed);
    EXPECT_EQ(name.length, 0);
    EXPECT_STREQ(name.text.data(), "");
    ApplyNameKey(name, Letter('B'));
    EXPECT_STREQ(name.text.data(), "B");
}

TEST(NameEntry, EnterFinishesOtherKeysDoNothing) {
    NameBuffer name = Typed("BO");
    EXPECT_EQ(ApplyNameKey(name, kKeyReturn), NameKeyResult::Enter);
    EXPECT_EQ(ApplyNameKey(name, -1), NameKeyResult::None);
    EXPECT_EQ(ApplyNameKey(name, 51), NameKeyResult::None); // the digit 0
    EXPECT_EQ(ApplyNameKey(name, 24), NameKeyResult::None); // Escape
    EXPECT_STREQ(name.text.data(), "BO");

    NameBuffer blanks = Typed("   "); // names nobody: the game sends its default
    EXPECT_EQ(ApplyNameKey(blanks, kKeyReturn), NameKeyResult::Enter);
    EXPECT_STREQ(blanks.text.data(), "");
    NameBuffer inner = Typed(" A ");
    ApplyNameKey(inner, kKeyReturn);
    EXPECT_STREQ(inner.text.data(), " A ");
}
