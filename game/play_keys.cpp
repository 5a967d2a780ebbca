#include "game/play_keys.h"

#include "game/rules/game_state.h"
#include "framework/platform/platform_key_codes.h"
#include "game/panels/key_hint.h"
#include "game/panels/panel_values.h"
#include "game/screen_state.h"

namespace {

bool IsDigit(int32_t keyCode) {
    return (keyCode >= kKeyDigit0 && keyCode <= kKeyDigit0 + 9) ||
           (keyCode >= kKeyPad0 && keyCode <= kKeyPad0 + 9);
}

// The digit that sets the framed bar one step higher: ten volume steps,
// five speeds.
int32_t RaisingDigit() {
    const int16_t volume = screen.keyBar == 0 ? settings.sfxVolume : settings.musicVolume;
    const int level =
        screen.keyBar == 2 ? settings.gameSpeed % 5 + 1 : VolumeTickCount(volume) % 10 + 1;
    return kKeyDigit0 + level % 10;
}

} // namespace

KInputPress AsPlayKey(const KInputPress& press) {
    switch (press.action) {
    case KInputAction::Restart:
        return {kKeyR, KInputAction::None};
    case KInputAction::Help:
        return {kKeyT, KInputAction::None};
    case KInputAction::NextSetting:
        return {kKeyTab, KInputAction::None};
    case KInputAction::RaiseSetting:
        return {RaisingDigit(), KInputAction::None};
    default:
        break;
    }
    if (press.keyCode == kKeyM) return {kKeyM, KInputAction::Back};
    return press;
}

void FollowKeyHighlight(const KInputPress& press) {
    switch (press.action) {
    case KInputAction::Up:
    case KInputAction::Down:
    case KInputAction::Left:
    case KInputAction::Right:
        keyHighlight = KeyHighlight::RowCursor;
        return;
    default:
        break;
    }
    if (press.keyCode == kKeyTab || IsDigit(press.keyCode)) keyHighlight = KeyHighlight::OptionBar;
}
