// The game's command line: --help, --version, --fullscreen, --windowed,
// --score-server URL, --replay FILE, --replay-last. Help and version print and end the program
// before any window opens; an unknown flag prints a short usage line (exit status 2).
#pragma once
#include <string>

struct CommandLineOptions {
    enum class Window { FromPrefs, Fullscreen, Windowed };
    Window window = Window::FromPrefs;
    std::string scoreServer; // empty when the flag was not given
    std::string replayFile;  // a recorded game to watch instead of playing
    bool replayLast = false; // watch the player's last game
};

// The parsed command line, read by start-up and by the score client.
extern CommandLineOptions commandLine;

// Fills `commandLine`. Returns -1 to go on and start the game, or the exit
// status to end with (0 after --help or --version, 2 after a bad flag).
int ParseCommandLine(int argc, char** argv);
