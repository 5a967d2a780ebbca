#include "support/temp_game_dir.h"

#include "framework/display/KSystemTools.h"

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TempGameDir::TempGameDir() {
    static int serial = 0;
    root_ = fs::temp_directory_path() /
            ("orbolo-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    fs::create_directories(root_ / "gfx");
    KSystemTools::SetModuleDirectoryFrom((root_ / "orbolo").c_str());
}

TempGameDir::~TempGameDir() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    KSystemTools::InitModuleDirectory();
}

void TempGameDir::Write(const std::string& relative, const std::string& content) const {
    fs::path file = root_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void TempGameDir::Remove(const std::string& relative) const { fs::remove(root_ / relative); }
