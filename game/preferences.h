// The preferences file "prefs": 8 bytes, two signed 32-bit little-endian
// switches, windowed then onlineScores. Never written. A player's own file at
// $XDG_CONFIG_HOME/orbolo/prefs, when there, is read instead of the one
// beside the game's data.
#pragma once
#include <cstdio>

// Reads the file into settings.windowed and settings.onlineScores. A field
// whose four bytes are not all there keeps its value: a missing or short
// file leaves the game windowed, and online scores off.
void ReadPreferences();
// The same from an explicit path, or from an open file.
void ReadPreferencesFrom(const char* path);
void ReadPreferencesFrom(FILE* file);
