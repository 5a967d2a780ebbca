// The game built for the browser, served from a folder under /play/. Every
// file is read once at start: only those files can ever be answered (no
// path from a request reaches the file system), compressible ones are kept
// gzipped as well, and each carries an ETag so a returning browser is told
// "not modified" instead of being sent the game again.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct StaticAnswer {
    int status = 200;
    const std::string* body = nullptr; // null: no body (304, or a redirect)
    std::vector<std::pair<std::string, std::string>> headers;
};

class StaticFiles {
  public:
    // The folder's regular files (not its subfolders); nullptr with `error`
    // set when the folder cannot be read or holds no index.html.
    static std::unique_ptr<StaticFiles> Load(const std::string& folder, std::string& error);

    // True when `path` lies under /play; `answer` is then filled. The
    // request's Accept-Encoding and If-None-Match ("" when absent) choose
    // the gzipped body and the 304.
    bool Answer(const std::string& path, const std::string& acceptEncoding,
                const std::string& ifNoneMatch, StaticAnswer& answer) const;

    static constexpr const char* kPrefix = "/play/";

  private:
    struct File {
        std::string type;
        std::string body;
        std::string gzipped; // empty when gzip would not make it smaller
        std::string etag;
    };
    std::map<std::string, File> files; // by name
};
