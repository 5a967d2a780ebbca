// The message box of the completion screen and the game-over dialog, cut
// from the play-screen sheet and drawn blended: a body of five middles
// between two ends, with the name field across it when a name is typed.
#pragma once

class KGraphic;

void DrawMessageBox(KGraphic& playSheet, bool withNameField);
