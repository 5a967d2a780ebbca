#include "game/panels/name_entry.h"

#include <algorithm>

NameKeyResult ApplyNameKey(NameBuffer& name, int32_t keyCode) {
    if (keyCode == kKeyReturn) {
        const auto end = name.text.begin() + name.length;
        if (std::all_of(name.text.begin(), end, [](char c) { return c == ' '; })) {
            name.text.fill(0);
            name.length = 0;
        }
        return NameKeyResult::Enter;
    }
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
