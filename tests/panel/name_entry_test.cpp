#include "game/panels/name_entry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<int32_t> keysDown;
bool FakeKeyDown(int32_t keyCode) {
    return keysDown.count(keyCode) > 0;
}

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

TEST(NameKeyPick, LastOfTheOrderWins) {
    keysDown = {};
    EXPECT_EQ(PickNameKey(FakeKeyDown), -1);
    keysDown = {Letter('C'), Letter('Q')};
    EXPECT_EQ(PickNameKey(FakeKeyDown), Letter('Q'));
    keysDown = {Letter('Z'), kKeySpace};
    EXPECT_EQ(PickNameKey(FakeKeyDown), kKeySpace);
    keysDown = {kKeySpace, kKeyReturn};
    EXPECT_EQ(PickNameKey(FakeKeyDown), kKeyReturn);
    keysDown = {kKeyReturn, kKeyBackspace, Letter('A')};
    EXPECT_EQ(PickNameKey(FakeKeyDown), kKeyBackspace);
    keysDown = {51, 60, 86}; // digits and a full stop are not asked
    EXPECT_EQ(PickNameKey(FakeKeyDown), -1);
}

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
}

TEST(NameEntry, WaitsOnEveryKeyItReads) {
    auto keys = NameEntryKeys();
    std::set<int32_t> unique(keys.begin(), keys.end());
    EXPECT_EQ(unique.size(), 29u);
    for (int32_t key = kKeyA; key <= kKeyZ; ++key)
        EXPECT_TRUE(unique.count(key));
    EXPECT_TRUE(unique.count(kKeySpace));
    EXPECT_TRUE(unique.count(kKeyReturn));
    EXPECT_TRUE(unique.count(kKeyBackspace));
}
