// KSystemTools: process-wide services. Paths beside the executable, the
// millisecond clock, waits, message boxes and the desktop's "open" action.
// All data is found through MakePath, so the game runs from any directory.
#pragma once
#include <cstdint>

class KSystemTools {
  public:
    // Reads the executable's path and keeps its directory, or the installed
    // data directory below when that exists.
    static void InitModuleDirectory();
    // An installed layout keeps programs and data apart: the data directory
    // relative to the executable's (such as "../../../share/games/orbolo").
    // A build tree has no such directory and keeps data beside the program.
    static void SetInstalledDataDirectory(const char* relativeToExecutable);
    // Joins `relative` to the executable's directory. The result lives in one
    // shared buffer, valid until the next call. Backslashes become '/'.
    static const char* MakePath(const char* relative);
    // The clock: milliseconds from an arbitrary start, wrapping at 2^32.
    // Only differences mean anything.
    static int32_t GetMilliseconds();
    // Returns after at least `milliseconds`; pumps window messages while
    // waiting when asked to. Sleeps for most of the wait instead of spinning.
    static void Wait(int32_t milliseconds, bool processMessages);
    // A modal box with an OK button; caption first.
    static void ShowMessage(const char* caption, const char* text);
    // Hands a file or web address to the desktop's default handler.
    static void OpenDocument(const char* target, bool maximized);

    // --- seams ---
    // The window installs its one-message pump here so Wait can serve it.
    static void SetMessagePump(void (*pump)());
    // Tests replace the clock (nullptr restores the real one).
    static void SetClockSource(int32_t (*source)());
    // Tests capture messages instead of showing them (nullptr restores).
    static void SetMessageSink(void (*sink)(const char* caption, const char* text));
    // Tests set the executable's path as the system would report it.
    static void SetModuleDirectoryFrom(const char* executablePath);
    // The program OpenDocument starts ("xdg-open" unless a test changes it).
    static void SetOpenProgram(const char* program);
    static const char* GetModuleDirectory();
};
