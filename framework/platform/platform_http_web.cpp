// The browser's stand-in for the internet client: fetch() from the page.
// Requests go only to the page's own server (mode "same-origin"), so a
// redirect elsewhere is refused before anything is sent there; the browser
// sets its own user agent and proxy. The game waits for the answer as it
// waits for a frame, handing the tab back to the browser meanwhile.
#include "framework/platform/platform_http.h"

#include "framework/platform/platform_system.h"

#include <emscripten.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace platform {

struct HttpClient {
    HttpTimeouts timeouts{};
    HttpFailure failure = HttpFailure::None;
    const char* postData = nullptr; // a POST's body, or null for a GET
    size_t postSize = 0;
    long retryAfterSeconds = -1;
};

struct HttpStream {
    std::string body;
    size_t offset = 0;
};

namespace {

constexpr int kPollMicroseconds = 5000;

// clang-format off
// Starts one GET, or a POST of `size` bytes at `data` when `data` is not
// null; the page keeps its progress under the returned number.
EM_JS(int, StartFetch, (const char* url, int totalMilliseconds, const char* data, int size), {
    const fetches = Module.orboloFetches || (Module.orboloFetches = new Map());
    const id = (Module.orboloFetchId = (Module.orboloFetchId || 0) + 1);
    const entry = {done: false, status: 0, body: null, retryAfter: -1};
    fetches.set(id, entry);
    const abort = new AbortController();
    const timer = setTimeout(() => abort.abort(), totalMilliseconds);
    const request = {mode: "same-origin", cache: "no-store", signal: abort.signal};
    if (data) {
        request.method = "POST";
        request.headers = {"Content-Type": "application/octet-stream"};
        request.body = HEAPU8.slice(data, data + size);
    }
    fetch(UTF8ToString(url), request)
        .then(async (response) => {
            entry.status = response.status;
            const wait = response.headers.get("Retry-After");
            if (wait && /^[0-9]+$/.test(wait)) entry.retryAfter = Number(wait);
            entry.body = new Uint8Array(await response.arrayBuffer());
        })
        .catch(() => {})
        .finally(() => {
            clearTimeout(timer);
            entry.done = true;
        });
    return id;
});

// 0 while running; then the status, or -1 when no answer came, -2 when the
// body broke off after the status.
EM_JS(int, FetchState, (int id), {
    const entry = Module.orboloFetches.get(id);
    if (!entry.done) return 0;
    if (entry.status == 0) return -1;
    return entry.body ? entry.status : -2;
});

// The seconds a 503 asked to wait, -1 when it named none.
EM_JS(int, FetchRetryAfter, (int id), {
    return Module.orboloFetches.get(id).retryAfter;
});

EM_JS(int, FetchBodySize, (int id), {
    return Module.orboloFetches.get(id).body.length;
});

// Copies a finished fetch's body to `destination` and forgets the fetch.
EM_JS(void, TakeFetchBody, (int id, char* destination), {
    HEAPU8.set(Module.orboloFetches.get(id).body, destination);
    Module.orboloFetches.delete(id);
});

EM_JS(void, ForgetFetch, (int id), {
    Module.orboloFetches.delete(id);
});

EM_JS(int, BrowserOnline, (), {
    return navigator.onLine ? 1 : 0;
});
// clang-format on

} // namespace

bool NetworkInterfaceUp() {
    return BrowserOnline() != 0;
}

HttpClient* OpenHttpClient(const char*, HttpTimeouts timeouts, bool) {
    auto* client = new HttpClient;
    client->timeouts = timeouts;
    return client;
}

void CloseHttpClient(HttpClient* client) {
    delete client;
}

void SetPostBody(HttpClient* client, const char* data, size_t size) {
    client->postData = data;
    client->postSize = size;
}

long RetryAfterSeconds(const HttpClient* client) {
    return client ? client->retryAfterSeconds : -1;
}

HttpFailure LastFailure(const HttpClient* client) {
    return client ? client->failure : HttpFailure::Unreachable;
}

HttpStream* OpenUrl(HttpClient* client, const char* url) {
    if (!client || !url) return nullptr;
    client->failure = HttpFailure::None;
    client->retryAfterSeconds = -1;
    const long total = std::max(1L, client->timeouts.totalMilliseconds);
    const int id = StartFetch(url, static_cast<int>(total), client->postData,
                              static_cast<int>(client->postSize));
    int state = 0;
    while ((state = FetchState(id)) == 0)
        SleepMicroseconds(kPollMicroseconds); // the page's abort timer bounds this
    if (state < 200 || state >= 300) {
        if (state == 503) client->retryAfterSeconds = FetchRetryAfter(id);
        ForgetFetch(id);
        // An error page is not the body asked for; a redirect the browser
        // could not follow within the page's server ends here too.
        client->failure = state == -1    ? HttpFailure::Unreachable
                          : state == -2  ? HttpFailure::Broken
                          : state == 503 ? HttpFailure::Busy
                                         : HttpFailure::ErrorStatus;
        return nullptr;
    }
    auto* stream = new HttpStream;
    stream->body.resize(static_cast<size_t>(FetchBodySize(id)));
    TakeFetchBody(id, stream->body.data());
    return stream;
}

void CloseUrl(HttpStream* stream) {
    delete stream;
}

bool ReadUrl(HttpStream* stream, char* destination, size_t capacity, size_t* delivered) {
    *delivered = 0;
    if (!stream) return false;
    const size_t n = std::min(capacity, stream->body.size() - stream->offset);
    std::memcpy(destination, stream->body.data() + stream->offset, n);
    stream->offset += n;
    *delivered = n;
    return true;
}

} // namespace platform
