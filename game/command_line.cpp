#include "game/command_line.h"

#include <cstdio>
#include <cstring>

CommandLineOptions commandLine;

namespace {

constexpr const char* kUsage =
    "usage: orbolo [--fullscreen | --windowed] [--score-server URL]\n"
    "              [--replay FILE | --replay-last | FILE] [--help] [--version]\n";

constexpr const char* kHelp =
    "Orbolo: slide the rows of a 9 x 9 board of balls, turn the board a quarter\n"
    "turn, and line up three or more of a colour to clear them.\n"
    "\n"
    "  --fullscreen          play on the whole screen, whatever the prefs file says\n"
    "  --windowed            play in a window, whatever the prefs file says\n"
    "  --score-server URL    ask the online highscores of the score server at URL\n"
    "                        (for example https://scores.example.org/)\n"
    "  --replay FILE         watch a recorded game (.orbolo-replay): Space pauses,\n"
    "                        Right plays faster, Left slower, Q or Escape quits\n"
    "  --replay-last         watch your last game\n"
    "  FILE                  the same as --replay FILE\n"
    "  --help                show this help and exit\n"
    "  --version             show the version and exit\n"
    "\n"
    "A player's own prefs file, $XDG_CONFIG_HOME/orbolo/prefs (by default\n"
    "~/.config/orbolo/prefs), is read instead of the one installed with the game.\n"
    "Your last game is kept in $XDG_DATA_HOME/orbolo/last-game.orbolo-replay.\n";

int BadUsage(const char* problem, const char* flag) {
    std::fprintf(stderr, "orbolo: %s '%s'\n%s", problem, flag, kUsage);
    return 2;
}

} // namespace

int ParseCommandLine(int argc, char** argv) {
    commandLine = CommandLineOptions{};
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("orbolo %s\n", ORBOLO_VERSION);
            return 0;
        }
        if (std::strcmp(arg, "--fullscreen") == 0) {
            commandLine.window = CommandLineOptions::Window::Fullscreen;
        } else if (std::strcmp(arg, "--windowed") == 0) {
            commandLine.window = CommandLineOptions::Window::Windowed;
        } else if (std::strncmp(arg, "--score-server=", 15) == 0) {
            commandLine.scoreServer = arg + 15;
            if (commandLine.scoreServer.empty()) return BadUsage("no address after", arg);
        } else if (std::strcmp(arg, "--score-server") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return BadUsage("no address after", arg);
            commandLine.scoreServer = argv[++i];
        } else if (std::strcmp(arg, "--replay") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return BadUsage("no file after", arg);
            commandLine.replayFile = argv[++i];
        } else if (std::strcmp(arg, "--replay-last") == 0) {
            commandLine.replayLast = true;
        } else if (arg[0] != '-' && commandLine.replayFile.empty()) {
            commandLine.replayFile = arg; // as the desktop opens a replay file
        } else {
            return BadUsage("unknown option", arg);
        }
    }
    return -1;
}
