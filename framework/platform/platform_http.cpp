#include "framework/platform/platform_http.h"

#include <curl/curl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <strings.h>

namespace platform {

namespace {

// Body bytes held between the network and the reader. When this much waits
// unread, the transfer pauses instead of buffering more.
constexpr size_t kStagingLimit = 64 * 1024;
constexpr int kPollMilliseconds = 100;
constexpr int kMaxRedirects = 5;

using Clock = std::chrono::steady_clock;

void InitCurlOnce() {
    // curl_global_init is not thread-safe; run it exactly once.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

struct HttpClient {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    HttpTimeouts timeouts{};
    HttpFailure failure = HttpFailure::None;
    long retryAfterSeconds = -1;
};

struct HttpStream {
    HttpClient* client = nullptr;
    std::string pending; // received, not yet read
    size_t offset = 0;   // read position in `pending`
    bool paused = false;
    bool done = false;
    CURLcode result = CURLE_OK;
};

bool NetworkInterfaceUp() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool up = false;
    for (ifaddrs* i = list; i && !up; i = i->ifa_next) {
        if (!i->ifa_addr) continue;
        int family = i->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6) continue;
        unsigned flags = i->ifa_flags;
        up = (flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK);
    }
    freeifaddrs(list);
    return up;
}

HttpClient* OpenHttpClient(const char* userAgent, HttpTimeouts timeouts, bool direct) {
    InitCurlOnce();
    auto* client = new HttpClient;
    client->easy = curl_easy_init();
    client->multi = curl_multi_init();
    if (!client->easy || !client->multi) {
        CloseHttpClient(client);
        return nullptr;
    }
    CURL* e = client->easy;
    curl_easy_setopt(e, CURLOPT_USERAGENT, userAgent);
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    // The proxy comes from http_proxy, https_proxy and no_proxy, which curl
    // reads on its own: the desktop's preconfigured proxy on Linux. An
    // empty proxy name turns that off.
    if (direct) curl_easy_setopt(e, CURLOPT_PROXY, "");
    // Redirects are followed by OpenUrl itself, which knows the host asked.
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    // curl's defaults, said out loud: a certificate must chain to a trusted
    // authority and name the host.
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    client->timeouts = timeouts;
    // No signals: the time limits must not depend on SIGALRM in a
    // program with threads.
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    return client;
}

HttpFailure LastFailure(const HttpClient* client) {
    return client ? client->failure : HttpFailure::Unreachable;
}

long RetryAfterSeconds(const HttpClient* client) {
    return client ? client->retryAfterSeconds : -1;
}

void CloseHttpClient(HttpClient* client) {
    if (!client) return;
    if (client->multi) curl_multi_cleanup(client->multi);
    if (client->easy) curl_easy_cleanup(client->easy);
    curl_slist_free_all(client->headers);
    delete client;
}

void SetPostBody(HttpClient* client, const char* data, size_t size) {
    CURL* e = client->easy;
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, data);
    // No "Expect: 100-continue" round trip: the body is small.
    client->headers = curl_slist_append(client->headers, "Content-Type: application/octet-stream");
    client->headers = curl_slist_append(client->headers, "Expect:");
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, client->headers);
}

namespace {

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* stream = static_cast<HttpStream*>(user);
    if (stream->pending.size() - stream->offset >= kStagingLimit) {
        stream->paused = true;
        return CURL_WRITEFUNC_PAUSE; // curl keeps this piece and offers it again
    }
    stream->pending.append(data, size * count);
    return size * count;
}

// One round of the transfer: let curl move data, note the end, and wait a
// little for the socket when nothing is ready yet.
void Pump(HttpStream* stream) {
    CURLM* multi = stream->client->multi;
    int running = 0;
    curl_multi_perform(multi, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            stream->done = true;
            stream->result = message->data.result;
        }
    }
    if (!stream->done && running == 0) {
        stream->done = true; // ended without a report: treat as a failure
        stream->result = CURLE_RECV_ERROR;
    }
    if (!stream->done && stream->pending.size() == stream->offset) {
        curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
}

} // namespace

namespace {

long ResponseStatus(HttpClient* client) {
    long status = 0;
    curl_easy_getinfo(client->easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

// Starts one GET and waits until its body begins or it ends, within what is
// left of the client's time. Null (with the failure noted) when no answer
// came; otherwise the stream, whatever the status.
HttpStream* BeginTransfer(HttpClient* client, const std::string& url, Clock::time_point deadline) {
    long left = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (left <= 0) {
        client->failure = HttpFailure::Unreachable;
        return nullptr;
    }
    curl_easy_setopt(client->easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(client->easy, CURLOPT_CONNECTTIMEOUT_MS,
                     std::min(left, client->timeouts.connectMilliseconds));
    curl_easy_setopt(client->easy, CURLOPT_TIMEOUT_MS, left);
    auto* stream = new HttpStream;
    stream->client = client;
    curl_easy_setopt(client->easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(client->easy, CURLOPT_WRITEDATA, stream);
    if (curl_multi_add_handle(client->multi, client->easy) != CURLM_OK) {
        delete stream;
        client->failure = HttpFailure::Unreachable;
        return nullptr;
    }
    while (!stream->done && stream->pending.empty() && !stream->paused)
        Pump(stream);
    if (stream->done && stream->result != CURLE_OK) {
        // Headers that came and a body that did not: the server answered.
        client->failure =
            ResponseStatus(client) == 0 ? HttpFailure::Unreachable : HttpFailure::Broken;
        CloseUrl(stream);
        return nullptr;
    }
    return stream;
}

// Retry-After in seconds (its date form counts as none): -1 when absent.
long RetryAfterOf(CURL* easy) {
    curl_header* header = nullptr;
    if (curl_easy_header(easy, "Retry-After", 0, CURLH_HEADER, -1, &header) != CURLHE_OK) return -1;
    char* end = nullptr;
    long seconds = std::strtol(header->value, &end, 10);
    return end != header->value && *end == '\0' && seconds >= 0 ? seconds : -1;
}

struct UrlParts {
    std::string scheme, host, port;
};

std::string Part(CURLU* handle, CURLUPart part, unsigned flags) {
    char* text = nullptr;
    std::string value;
    if (curl_url_get(handle, part, &text, flags) == CURLUE_OK) value = text;
    curl_free(text);
    return value;
}

UrlParts PartsOf(const std::string& url) {
    UrlParts parts;
    CURLU* handle = curl_url();
    if (handle && curl_url_set(handle, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
        parts.scheme = Part(handle, CURLUPART_SCHEME, 0);
        parts.host = Part(handle, CURLUPART_HOST, 0);
        parts.port = Part(handle, CURLUPART_PORT, CURLU_DEFAULT_PORT);
    }
    curl_url_cleanup(handle);
    return parts;
}

// The same server (scheme, host and port), or the same host moving from
// http:// to https:// on the usual ports; nothing else.
bool MayFollow(const std::string& from, const std::string& to) {
    UrlParts a = PartsOf(from), b = PartsOf(to);
    if (a.host.empty() || strcasecmp(a.host.c_str(), b.host.c_str()) != 0) return false;
    if (strcasecmp(a.scheme.c_str(), b.scheme.c_str()) == 0) return a.port == b.port;
    return strcasecmp(a.scheme.c_str(), "http") == 0 && a.port == "80" &&
           strcasecmp(b.scheme.c_str(), "https") == 0 && b.port == "443";
}

} // namespace

HttpStream* OpenUrl(HttpClient* client, const char* url) {
    if (!client || !url) return nullptr;
    client->failure = HttpFailure::None;
    client->retryAfterSeconds = -1;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(client->timeouts.totalMilliseconds);
    std::string target = url;
    for (int hop = 0;; ++hop) {
        HttpStream* stream = BeginTransfer(client, target, deadline);
        if (!stream) return nullptr;
        long status = ResponseStatus(client);
        if (status >= 200 && status < 300) return stream;
        char* next = nullptr;
        if (status >= 300 && status < 400)
            curl_easy_getinfo(client->easy, CURLINFO_REDIRECT_URL, &next);
        std::string nextUrl = next ? next : "";
        if (status == 503) client->retryAfterSeconds = RetryAfterOf(client->easy);
        CloseUrl(stream);
        if (status == 503) {
            client->failure = HttpFailure::Busy;
            return nullptr;
        }
        if (nextUrl.empty() || hop == kMaxRedirects) {
            client->failure = HttpFailure::ErrorStatus;
            return nullptr;
        }
        if (!MayFollow(target, nextUrl)) {
            client->failure = HttpFailure::ForeignRedirect;
            return nullptr;
        }
        target = nextUrl;
    }
}

void CloseUrl(HttpStream* stream) {
    if (!stream) return;
    curl_multi_remove_handle(stream->client->multi, stream->client->easy);
    delete stream;
}

bool ReadUrl(HttpStream* stream, char* destination, size_t capacity, size_t* delivered) {
    *delivered = 0;
    if (!stream) return false;
    for (;;) {
        size_t available = stream->pending.size() - stream->offset;
        if (available > 0) {
            size_t n = std::min(available, capacity);
            std::memcpy(destination, stream->pending.data() + stream->offset, n);
            stream->offset += n;
            *delivered = n;
            return true;
        }
        stream->pending.clear();
        stream->offset = 0;
        if (stream->paused) {
            stream->paused = false;
            curl_easy_pause(stream->client->easy, CURLPAUSE_CONT);
            continue;
        }
        if (stream->done) {
            if (stream->result == CURLE_OK) return true;
            stream->client->failure = HttpFailure::Broken;
            return false;
        }
        Pump(stream);
    }
}

} // namespace platform
