#include "game/panels/name_entry.h"

int32_t PickNameKey(bool (*isKeyDown)(int32_t keyCode)) {
    int32_t picked = -1;
    for (int32_t key = kKeyA; key <= kKeyZ; ++key) {
        if (isKeyDown(key)) picked = key;
    }
    for (int32_t key : {kKeySpace, kKeyReturn, kKeyBackspace}) {
        if (isKeyDown(key)) picked = key;
    }
    return picked;
}

NameKeyResult ApplyNameKey(NameBuffer& name, int32_t keyCode) {
    if (keyCode == kKeyReturn) return NameKeyResult::Enter;
    if (keyCode == kKeyBackspace) {
        if (name.length > 0) --name.length;
        name.text[name.length] = 0;
        return NameKeyResult::Changed;
    }
    char ch = 0;
    if (keyCode == kKeySpace) ch = ' ';
    if (keyCode >= kKeyA && keyCode <= kKeyZ) ch = static_cast<char>('A' + (keyCode - kKeyA));
    if (ch == 0) return NameKeyResult::None;
    if (name.length < kNameMaxLength) name.text[name.length++] = ch;
    return NameKeyResult::Changed;
}

std::array<int32_t, 29> NameEntryKeys() {
    std::array<int32_t, 29> keys{};
    for (int32_t i = 0; i < 26; ++i)
        keys[i] = kKeyA + i;
    keys[26] = kKeySpace;
    keys[27] = kKeyBackspace;
    keys[28] = kKeyReturn;
    return keys;
}
