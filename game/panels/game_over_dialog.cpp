#include "game/panels/game_over_dialog.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"
#include "framework/platform/platform_system.h"
#include "framework/text/KBitmapFont.h"
#include "game/rules/game_state.h"
#include "game/panels/frozen_screen.h"
#include "game/panels/message_box.h"
#include "game/panels/name_entry.h"
#include "game/panels/score_protocol.h"
#include "game/panels/score_tables.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_format.h"
#include "game/screen_flow.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>

namespace {

// A reply sooner than this shows no waiting line, so a quick server (or
// the tables on this machine) does not flicker one.
constexpr std::chrono::milliseconds kQuietWait{60};

const char* ReasonLine(ScoreReply reply) {
    switch (reply) {
    case ScoreReply::TooLow:
        return "because your score is not high enough!";
    case ScoreReply::ServerFault:
        return "because the server had a problem!";
    case ScoreReply::BadAddress:
        return "because the server address is wrong!";
    case ScoreReply::StoreFault:
        return "because the scores file can't be used!";
    default:
        return "because couldn't connect to server!";
    }
}

// The dialog's frame over the frozen screen, then its texts.
void DrawDialog(FrozenScreen& frozen, bool nameField,
                const std::function<void(KBitmapFont&)>& texts) {
    frozen.Draw();
    if (KGraphic* sheet = spriteTable[kPlaySprite].image) DrawMessageBox(*sheet, nameField);
    if (KBitmapFont* font = resources.smallFont) texts(*font);
}

void DrawAcceptedTexts(KBitmapFont& font, int16_t gameMode, const NameBuffer& name,
                       const char* instruction) {
    font.DrawCentered("CONGRATULATIONS!!!", 275, 510, 198, 0);
    font.DrawCentered(gameMode == TimeAttack ? "You made a great time!" : "You made a top score!",
                      275, 510, 214, 0);
    font.DrawCentered(instruction, 275, 510, 230, 0);
    font.DrawCentered(name.text.data(), 145, 640, 260, 0);
}

void DrawNoticeTexts(KBitmapFont& font, const char* title, const char* first, ScoreReply reply) {
    font.DrawCentered(title, 275, 510, 198, 0);
    font.DrawCentered(first, 275, 510, 230, 0);
    font.DrawCentered(ReasonLine(reply), 275, 510, 250, 0);
    font.DrawCentered("CLICK MOUSE BUTTON TO CONTINUE", 275, 510, 275, 0);
}

// Asks the tables on a worker thread while the dialog goes on drawing and
// the window keeps answering. Presses made meanwhile act on nothing. When
// the window closes, the request is still waited for: the reader's time
// limit bounds it.
ScoreReply WaitForReply(std::function<ScoreReply()> request, const std::function<void()>& draw) {
    if constexpr (!platform::kCanStartThreads) {
        // A browser page: the request itself hands the tab back to the
        // browser while it waits, so the page keeps answering.
        ScoreReply answer = request();
        KInputState::ForgetPresses();
        return answer;
    }
    std::future<ScoreReply> reply = std::async(std::launch::async, std::move(request));
    if (reply.wait_for(kQuietWait) != std::future_status::ready) {
        while (reply.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
               !KDisplayWindow::IsClosed()) {
            draw();
            resources.window->Flip(true);
        }
    }
    ScoreReply answer = reply.get();
    KInputState::ForgetPresses();
    return answer;
}

// One press of the keyboard or a gamepad as the name entry's key: letters
// as the layout types them, and a gamepad's A as Return.
int32_t NameKey(const KInputPress& press) {
    if (press.keyCode >= 0) return press.keyCode;
    return press.action == KInputAction::Accept ? kKeyReturn : -1;
}

// Applies the presses since the last frame to `name`; true on Return.
bool TypeInto(NameBuffer& name) {
    KInputPress press;
    while (KInputState::TakePress(&press)) {
        if (ApplyNameKey(name, NameKey(press)) == NameKeyResult::Enter) return true;
    }
    return false;
}

// A notice closes on a click or on Return. Keys typed meanwhile are read as
// in the name entry but go nowhere.
void ShowNotice(FrozenScreen& frozen, const char* title, const char* first, ScoreReply reply) {
    NameBuffer ignored;
    bool clicked = false;
    while (!KDisplayWindow::IsClosed()) {
        DrawDialog(frozen, false,
                   [&](KBitmapFont& font) { DrawNoticeTexts(font, title, first, reply); });
        clicked = KInputState::IsMouseDown();
        resources.window->Flip(true);
        if (clicked || TypeInto(ignored)) break;
    }
    if (clicked) WaitMouseRelease();
}

// The accepted dialog until Enter; false when the window closed first.
bool EnterName(FrozenScreen& frozen, int16_t gameMode, NameBuffer& name) {
    while (!KDisplayWindow::IsClosed()) {
        DrawDialog(frozen, true, [&](KBitmapFont& font) {
            DrawAcceptedTexts(font, gameMode, name, "Use the keyboard to enter your name");
        });
        resources.window->Flip(true);
        if (TypeInto(name)) return true;
    }
    return false;
}

// The recording of the game just over when the server can verify it: it
// carries a server's token and claims this result. Otherwise empty, and
// the old query and submission go instead.
std::vector<uint8_t> VerifiableRecording(int32_t result) {
    const std::vector<uint8_t>& bytes = LastGameReplay();
    replay::Replay recording;
    if (bytes.empty() ||
        replay::ReadReplay(bytes.data(), bytes.size(), recording) != replay::ReadError::None) {
        return {};
    }
    const replay::ReplayHeader& header = recording.header;
    if (header.token.empty() || header.outcome != replay::Outcome::Result ||
        header.claimedResult != result) {
        return {};
    }
    return bytes;
}

} // namespace

void ShowGameOver(int16_t gameMode, int16_t difficulty, int32_t result) {
    const char* table = HighscoreTableName(gameMode, difficulty);
    if (!table) return; // Puzzle has no table
    ScoreTables& tables = GameScoreTables();
    FrozenScreen frozen;
    KInputState::ForgetPresses(); // keys struck in play are not the name
    const std::vector<uint8_t> recording = VerifiableRecording(result);
    const bool verified = !recording.empty();

    ScoreReply answer = WaitForReply(
        [&tables, table, result, verified] {
            return verified ? tables.IsVerifiedHighscore(table, result)
                            : tables.IsHighscore(table, result);
        },
        [&] {
            DrawDialog(frozen, false, [](KBitmapFont& font) {
                font.DrawCentered("YOU MADE A GREAT GAME!", 275, 510, 198, 0);
                font.DrawCentered("Contacting the server...", 275, 510, 230, 0);
            });
        });
    if (KDisplayWindow::IsClosed()) return;
    if (answer != ScoreReply::Enters) {
        ShowNotice(frozen, "YOU MADE A GREAT GAME!", "But you can't enter the online scoring",
                   answer);
        return;
    }

    NameBuffer name;
    // A window closed over the dialog sends nothing: no name was confirmed.
    if (!EnterName(frozen, gameMode, name)) return;
    std::array<char, 256> submission{};
    std::memcpy(submission.data(), name.text.data(), name.text.size());
    ScoreReply stored = WaitForReply(
        [&tables, &submission, &recording, table, result, verified] {
            return verified ? tables.SubmitReplay(submission.data(), recording)
                            : tables.SubmitScore(submission.data(), table, result);
        },
        [&] {
            DrawDialog(frozen, true, [&](KBitmapFont& font) {
                DrawAcceptedTexts(font, gameMode, name, "Contacting the server...");
            });
        });
    if (stored == ScoreReply::Stored || KDisplayWindow::IsClosed()) return;
    ShowNotice(frozen, "YOUR SCORE WAS NOT SAVED!", "It didn't get into the online scoring",
               stored);
}
