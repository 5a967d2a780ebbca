#include "framework/net/KUrlReader.h"

#include "framework/net/url_text.h"
#include "framework/platform/platform_http.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kFirstCapacity = 16384;
constexpr size_t kReadSize = 256;
constexpr size_t kUrlSize = 520;

struct ReaderSettings {
    bool (*connectionCheck)() = nullptr;
    KUrlReaderLimits limits;
} NET;

bool MachineOnline() {
    return NET.connectionCheck ? NET.connectionCheck() : platform::NetworkInterfaceUp();
}

KUrlFailure FailureOf(platform::HttpFailure failure) {
    switch (failure) {
    case platform::HttpFailure::None:
    case platform::HttpFailure::Unreachable:
        return KUrlFailure::Unreachable;
    case platform::HttpFailure::ErrorStatus:
        return KUrlFailure::ErrorStatus;
    case platform::HttpFailure::Busy:
        return KUrlFailure::Busy;
    case platform::HttpFailure::ForeignRedirect:
        return KUrlFailure::ForeignRedirect;
    case platform::HttpFailure::Broken:
        return KUrlFailure::BadBody;
    }
    return KUrlFailure::Unreachable;
}

} // namespace

KUrlReader::~KUrlReader() {
    CloseHandles();
    FreeBuffer();
}

const char* KUrlReader::UserAgent() {
    return "TORV - https://orbolo.example/framework/";
}

void KUrlReader::SetConnectionCheck(bool (*check)()) {
    NET.connectionCheck = check;
}
void KUrlReader::SetLimits(const KUrlReaderLimits& limits) {
    NET.limits = limits;
}
KUrlReaderLimits KUrlReader::GetLimits() {
    return NET.limits;
}

void KUrlReader::CloseHandles() {
    if (urlHandle) platform::CloseUrl(urlHandle);
    urlHandle = nullptr;
    if (internetHandle) platform::CloseHttpClient(internetHandle);
    internetHandle = nullptr;
}

void KUrlReader::FreeBuffer() {
    if (!buffer) return;
    delete[] buffer;
    buffer = nullptr;
    length = 0;
    capacity = 0;
}

const char* KUrlReader::Get(const char* url, bool direct) {
    if (!url) return nullptr;
    // A server on this machine answers without any network, and a proxy
    // elsewhere could not reach it.
    if (UrlHostIsLoopback(url)) return Fetch(url, true);
    if (!MachineOnline()) {
        failure = KUrlFailure::Unreachable;
        return nullptr;
    }
    return Fetch(url, direct);
}

const char* KUrlReader::Post(const char* url, const char* data, uint32_t size, bool direct) {
    postData = data;
    postSize = size;
    const char* body = Get(url, direct);
    postData = nullptr;
    return body;
}

void KUrlReader::GrowBuffer() {
    uint32_t grown = capacity * 2;
    char* block = new char[grown](); // zero-filled, so the text stays terminated
    std::memcpy(block, buffer, capacity);
    delete[] buffer;
    buffer = block;
    capacity = grown;
}

const char* KUrlReader::Fetch(const char* url, bool direct) {
    CloseHandles();
    FreeBuffer();
    failure = KUrlFailure::BadUrl;
    if (!url) return nullptr;

    retryAfterSeconds = -1;
    KUrlReaderLimits limits = NET.limits;
    if (totalLimit > 0 && totalLimit < limits.totalMilliseconds) {
        limits.totalMilliseconds = totalLimit;
        limits.connectMilliseconds = std::min(limits.connectMilliseconds, totalLimit);
    }
    internetHandle = platform::OpenHttpClient(
        UserAgent(), {limits.connectMilliseconds, limits.totalMilliseconds}, direct);
    if (!internetHandle) {
        failure = KUrlFailure::Unreachable;
        return nullptr;
    }
    if (postData) platform::SetPostBody(internetHandle, postData, postSize);

    // A URL that cannot be made safe whole is not sent cut short.
    char canonical[kUrlSize] = {};
    if (!CanonicalizeUrl(url, canonical, kUrlSize - 1)) return nullptr;

    urlHandle = platform::OpenUrl(internetHandle, canonical);
    if (!urlHandle) {
        failure = FailureOf(platform::LastFailure(internetHandle));
        retryAfterSeconds = platform::RetryAfterSeconds(internetHandle);
        CloseHandles();
        return nullptr;
    }

    capacity = kFirstCapacity;
    buffer = new char[capacity]();
    uint32_t total = 0;
    size_t n = 0;
    failure = KUrlFailure::BadBody; // until the body is whole
    bool ok = platform::ReadUrl(urlHandle, buffer + total, kReadSize, &n);
    while (ok && n > 0) {
        total += static_cast<uint32_t>(n);
        if (total > limits.maxBodyBytes) {
            ok = false; // an endless or oversized answer is not a body
            break;
        }
        if (total + kReadSize >= capacity) GrowBuffer();
        ok = platform::ReadUrl(urlHandle, buffer + total, kReadSize, &n);
    }
    CloseHandles();
    if (!ok) {
        FreeBuffer();
        return nullptr;
    }
    length = total;
    buffer[total] = '\0';
    failure = KUrlFailure::None;
    return buffer;
}
