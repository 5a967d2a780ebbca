#include "game/panels/message_box.h"

#include "framework/display/KGraphic.h"

void DrawMessageBox(KGraphic& sheet, bool withNameField) {
    for (int i = 0; i < 5; ++i) {
        sheet.BlitAlpha(386, 395, 446, 495, static_cast<int16_t>(240 + 60 * i), 192, false, false);
    }
    if (withNameField) {
        for (int i = 0; i < 5; ++i) {
            sheet.BlitAlpha(287, 478, 347, 504, static_cast<int16_t>(240 + 60 * i), 252, false,
                            false);
        }
    }
    sheet.BlitAlpha(358, 395, 386, 495, 212, 192, false, false);
    sheet.BlitAlpha(446, 395, 473, 495, 540, 192, false, false);
    if (withNameField) {
        sheet.BlitAlpha(285, 478, 295, 504, 230, 252, false, false);
        sheet.BlitAlpha(340, 478, 352, 504, 540, 252, false, false);
    }
}
