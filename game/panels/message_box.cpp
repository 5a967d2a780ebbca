#include "game/panels/message_box.h"

#include "game/sheet_draw.h"

void DrawMessageBox(KGraphic& sheet, bool withNameField) {
    using namespace layout;
    for (int i = 0; i < kMessageMiddles; ++i)
        BlitPieceAlpha(sheet, kMessageMiddle, messageMiddleAt(i));
    if (withNameField) {
        for (int i = 0; i < kMessageMiddles; ++i)
            BlitPieceAlpha(sheet, kFieldMiddle, fieldMiddleAt(i));
    }
    BlitPieceAlpha(sheet, kMessageLeft, kMessageLeftAt);
    BlitPieceAlpha(sheet, kMessageRight, kMessageRightAt);
    if (withNameField) {
        BlitPieceAlpha(sheet, kFieldLeft, kFieldLeftAt);
        BlitPieceAlpha(sheet, kFieldRight, kFieldRightAt);
    }
}
