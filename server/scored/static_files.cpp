#include "static_files.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char* TypeOf(const std::string& name) {
    static const std::pair<const char*, const char*> kTypes[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".wasm", "application/wasm"},
        {".data", "application/octet-stream"},
        {".css", "text/css; charset=utf-8"},
        {".png", "image/png"},
        {".ico", "image/x-icon"},
    };
    for (const auto& [suffix, type] : kTypes) {
        if (name.ends_with(suffix)) return type;
    }
    return "application/octet-stream";
}

// The body gzipped at the best level (done once, at start), or "" when
// that saves nothing.
std::string Gzip(const std::string& body) {
    z_stream z{};
    // 15 window bits + 16: a gzip header rather than a zlib one.
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return "";
    std::string out(deflateBound(&z, body.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = static_cast<uInt>(body.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(z.total_out);
    deflateEnd(&z);
    return done && out.size() < body.size() ? out : "";
}

std::string EtagOf(const std::string& body) {
    const uLong crc =
        crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    std::ostringstream tag;
    tag << '"' << std::hex << body.size() << '-' << crc << '"';
    return tag.str();
}

bool AcceptsGzip(const std::string& acceptEncoding) {
    // "gzip" among the codings, unless refused with q=0.
    size_t at = acceptEncoding.find("gzip");
    if (at == std::string::npos) return false;
    size_t end = acceptEncoding.find(',', at);
    std::string coding = acceptEncoding.substr(at, end == std::string::npos ? end : end - at);
    coding.erase(std::remove(coding.begin(), coding.end(), ' '), coding.end());
    return coding != "gzip;q=0" && coding != "gzip;q=0.0";
}

} // namespace

std::unique_ptr<StaticFiles> StaticFiles::Load(const std::string& folder, std::string& error) {
    auto loaded = std::unique_ptr<StaticFiles>(new StaticFiles);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) {
            error = "cannot read " + entry.path().string();
            return nullptr;
        }
        const std::string name = entry.path().filename().string();
        File& file = loaded->files[name];
        file.type = TypeOf(name);
        file.body = bytes.str();
        file.gzipped = Gzip(file.body);
        file.etag = EtagOf(file.body);
    }
    if (ec) {
        error = "cannot read the folder " + folder + ": " + ec.message();
        return nullptr;
    }
    if (!loaded->files.count("index.html")) {
        error = folder + " holds no index.html";
        return nullptr;
    }
    return loaded;
}

bool StaticFiles::Answer(const std::string& path, const std::string& acceptEncoding,
                         const std::string& ifNoneMatch, StaticAnswer& answer) const {
    const std::string prefix = kPrefix;
    if (path == prefix.substr(0, prefix.size() - 1)) {
        answer = {301, nullptr, {{"Location", prefix}}};
        return true;
    }
    if (!path.starts_with(prefix)) return false;
    std::string name = path.substr(prefix.size());
    if (name.empty()) name = "index.html";
    auto found = files.find(name);
    if (found == files.end()) {
        answer = {404, nullptr, {}};
        return true;
    }
    const File& file = found->second;
    // Always asked again, cheaply: a new build behind the same names is
    // picked up at once, an unchanged one costs a 304.
    answer.headers = {
        {"Cache-Control", "no-cache"}, {"ETag", file.etag}, {"X-Content-Type-Options", "nosniff"}};
    if (!file.gzipped.empty()) answer.headers.push_back({"Vary", "Accept-Encoding"});
    if (ifNoneMatch == file.etag) {
        answer.status = 304;
        answer.body = nullptr;
        return true;
    }
    answer.status = 200;
    answer.headers.push_back({"Content-Type", file.type});
    if (name == "index.html") {
        // The page runs only its own scripts and WebAssembly, and talks
        // only to this server.
        answer.headers.push_back(
            {"Content-Security-Policy",
             "default-src 'self'; script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval'; "
             "style-src 'self' 'unsafe-inline'; object-src 'none'; base-uri 'none'"});
    }
    if (!file.gzipped.empty() && AcceptsGzip(acceptEncoding)) {
        answer.headers.push_back({"Content-Encoding", "gzip"});
        answer.body = &file.gzipped;
    } else {
        answer.body = &file.body;
    }
    return true;
}
