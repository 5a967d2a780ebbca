// A throw-away folder that stands where the executable lives, so the game's
// own path joining finds the files a test writes into it.
#pragma once
#include <filesystem>
#include <string>

class TempGameDir {
public:
    TempGameDir();
    ~TempGameDir();
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    // Writes `content` to `relative` (forward slashes), creating folders.
    void Write(const std::string& relative, const std::string& content) const;
    void Remove(const std::string& relative) const;
    const std::filesystem::path& Path() const { return root_; }

private:
    std::filesystem::path root_;
};
