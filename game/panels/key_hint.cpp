#include "game/panels/key_hint.h"

#include "game/buttons.h"

KeyHighlight keyHighlight = KeyHighlight::None;

HintSituation WithKeyHighlight(HintSituation pointer, KeyHighlight highlight, int keyBoardRow,
                               int optionBar) {
    HintSituation s = pointer;
    switch (highlight) {
    case KeyHighlight::None:
        return s;
    case KeyHighlight::RowCursor:
        s.hoveredButton = static_cast<int16_t>(SlideLeftButton(keyBoardRow));
        s.mouseX = s.mouseY = -1; // on nothing else
        return s;
    case KeyHighlight::OptionBar:
        s.hoveredButton = 0;
        s.mouseX = 75; // the bars' middle, 25 .. 125
        s.mouseY = static_cast<int16_t>(158 + 50 * optionBar);
        return s;
    }
    return s;
}
