#include "framework/platform/platform_http.h"

#include <curl/curl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

namespace platform {

namespace {

// Body bytes held between the network and the reader. When this much waits
// unread, the transfer pauses instead of buffering more.
constexpr size_t kStagingLimit = 64 * 1024;
constexpr int kPollMilliseconds = 100;

void InitCurlOnce() {
    // curl_global_init is not thread-safe; run it exactly once.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

struct HttpClient {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
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
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMilliseconds);
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, timeouts.totalMilliseconds);
    // No signals: the time limits must not depend on SIGALRM in a
    // program with threads.
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    return client;
}

void CloseHttpClient(HttpClient* client) {
    if (!client) return;
    if (client->multi) curl_multi_cleanup(client->multi);
    if (client->easy) curl_easy_cleanup(client->easy);
    delete client;
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

HttpStream* OpenUrl(HttpClient* client, const char* url) {
    if (!client || !url) return nullptr;
    auto* stream = new HttpStream;
    stream->client = client;
    curl_easy_setopt(client->easy, CURLOPT_URL, url);
    curl_easy_setopt(client->easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(client->easy, CURLOPT_WRITEDATA, stream);
    if (curl_multi_add_handle(client->multi, client->easy) != CURLM_OK) {
        delete stream;
        return nullptr;
    }
    // The URL counts as open once the body begins or the transfer ends.
    while (!stream->done && stream->pending.empty() && !stream->paused)
        Pump(stream);
    long status = 0;
    curl_easy_getinfo(client->easy, CURLINFO_RESPONSE_CODE, &status);
    bool failed = (stream->done && stream->result != CURLE_OK) || status < 100 || status >= 400;
    if (failed) {
        CloseUrl(stream);
        return nullptr;
    }
    return stream;
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
        if (stream->done) return stream->result == CURLE_OK;
        Pump(stream);
    }
}

} // namespace platform
