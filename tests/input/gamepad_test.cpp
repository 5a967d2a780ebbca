// Gamepads through SDL's virtual joystick, so no hardware is needed: the
// pad is plugged in while the game's window runs, its buttons and stick
// reach KInputState as actions, and a pad plugged out and in again works.
#include "display/display_fixture.h"
#include "xdotool_driver.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// The next press's action, waiting for one to arrive.
KInputAction NextAction() {
    KInputPress press;
    if (!PollUntil([&] { return KInputState::TakePress(&press); })) return KInputAction::None;
    return press.action;
}

// A virtual gamepad, plugged in for the object's life.
struct VirtualPad {
    VirtualPad() {
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
        handle = SDL_JoystickOpen(index);
    }
    ~VirtualPad() {
        SDL_JoystickClose(handle);
        SDL_JoystickDetachVirtual(index);
    }
    void Tap(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(handle, button, 1);
        KInputState::IsMouseDown(); // lets SDL read the pad between the two
        SDL_JoystickSetVirtualButton(handle, button, 0);
    }
    void Lean(SDL_GameControllerAxis axis, int16_t value) {
        SDL_JoystickSetVirtualAxis(handle, axis, value);
        KInputState::IsMouseDown();
    }
    int index = -1;
    SDL_Joystick* handle = nullptr;
};

TEST(Gamepad, ButtonsAndStickArriveAsActionsAndPadsCanBeReplugged) {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1"); // the test's window may lack focus
    TestWindow().Flip(false);
    KInputState::Init();
    for (int plugging = 0; plugging < 2; ++plugging) {
        VirtualPad pad;
        ASSERT_GE(pad.index, 0) << SDL_GetError();
        struct Case {
            SDL_GameControllerButton button;
            KInputAction action;
        };
        for (Case c : {Case{SDL_CONTROLLER_BUTTON_A, KInputAction::Accept},
                       Case{SDL_CONTROLLER_BUTTON_B, KInputAction::Back},
                       Case{SDL_CONTROLLER_BUTTON_DPAD_UP, KInputAction::Up},
                       Case{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KInputAction::Right},
                       Case{SDL_CONTROLLER_BUTTON_X, KInputAction::Restart},
                       Case{SDL_CONTROLLER_BUTTON_Y, KInputAction::Help},
                       Case{SDL_CONTROLLER_BUTTON_BACK, KInputAction::NextSetting},
                       Case{SDL_CONTROLLER_BUTTON_START, KInputAction::RaiseSetting},
                       Case{SDL_CONTROLLER_BUTTON_LEFTSHOULDER, KInputAction::TurnLeft},
                       Case{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, KInputAction::TurnRight}}) {
            // The first press also waits for the pad to be opened.
            EXPECT_TRUE(PollUntil([&] {
                pad.Tap(c.button);
                KInputPress press;
                return KInputState::TakePress(&press) && press.action == c.action;
            })) << "button "
                << c.button << " on plugging " << plugging;
        }
        // The stick: past half way is one press; resting and leaning the
        // same way again is another, jitter near the middle is none.
        pad.Lean(SDL_CONTROLLER_AXIS_LEFTX, 30000);
        EXPECT_EQ(NextAction(), KInputAction::Right);
        pad.Lean(SDL_CONTROLLER_AXIS_LEFTX, 12000); // still leaning
        pad.Lean(SDL_CONTROLLER_AXIS_LEFTX, 0);
        pad.Lean(SDL_CONTROLLER_AXIS_LEFTY, -30000);
        EXPECT_EQ(NextAction(), KInputAction::Up);
        pad.Lean(SDL_CONTROLLER_AXIS_LEFTY, 0);
        KInputPress stray;
        EXPECT_FALSE(KInputState::TakePress(&stray));
    }
}

} // namespace
