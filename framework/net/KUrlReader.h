// KUrlReader: the framework's small HTTP client. Fetches the whole body of
// one URL into memory, synchronously on the caller's thread, and hands it
// back as zero-terminated text that the reader owns.
//
// Limits the system's client would not give on its own: a connect time-out,
// an overall time limit, and a cap on the body. Reaching any of them, a
// transfer broken off midway, a redirect to another host, or an error
// status from the server all give null, never a partial or wrong body;
// GetFailure then says which.
#pragma once
#include <cstdint>

namespace platform {
struct HttpClient;
struct HttpStream;
} // namespace platform

struct KUrlReaderLimits {
    long connectMilliseconds = 3000;
    long totalMilliseconds = 3000; // a player waits at most this long
    uint32_t maxBodyBytes = 1024 * 1024;
};

enum class KUrlFailure {
    None,
    Unreachable,     // offline, no such host, no connection or no answer in time
    ErrorStatus,     // the server answered with an error (or a redirect going nowhere)
    Busy,            // 503: the server did nothing and asks to be tried again later
    ForeignRedirect, // the server sent the request on to another host
    BadBody,         // the body broke off, stalled or passed the cap
    BadUrl,          // the URL could not be made safe to send
};

class KUrlReader {
  public:
    KUrlReader() = default;
    ~KUrlReader();
    KUrlReader(const KUrlReader&) = delete;
    KUrlReader& operator=(const KUrlReader&) = delete;

    // Checks that the machine is online (always true for a loopback host),
    // then fetches. Offline: null, and nothing is opened or freed.
    // `direct` connects without a proxy; otherwise the environment's proxy
    // settings apply, except for a loopback host, which no proxy can reach.
    const char* Get(const char* url, bool direct);
    // The same for a POST of `size` bytes at `data` (binary).
    const char* Post(const char* url, const char* data, uint32_t size, bool direct);
    // The fetch proper. Frees the previous body first, so a reader can be
    // reused. The result stays valid until the next fetch or destruction.
    const char* Fetch(const char* url, bool direct);
    void CloseHandles();
    void FreeBuffer();

    uint32_t GetLength() const { return length; }
    // Why the last fetch gave null; None after a body.
    KUrlFailure GetFailure() const { return failure; }
    // After Busy: the seconds the server asked to wait, -1 when it named none.
    long GetRetryAfterSeconds() const { return retryAfterSeconds; }
    // This reader's whole fetch within `milliseconds` when that is shorter
    // than the limit every reader has (0: that limit alone).
    void LimitTotal(long milliseconds) { totalLimit = milliseconds; }
    // Size of the zero-filled block that holds the body (0 when empty).
    uint32_t GetCapacity() const { return capacity; }

    // "TORV - " followed by the framework's web address.
    static const char* UserAgent();

    // --- seams ---
    // Replaces the "is any network interface up" check (nullptr restores).
    static void SetConnectionCheck(bool (*check)());
    // Time-outs and body cap for every reader in the process.
    static void SetLimits(const KUrlReaderLimits& limits);
    static KUrlReaderLimits GetLimits();

  private:
    void GrowBuffer();

    platform::HttpClient* internetHandle = nullptr;
    platform::HttpStream* urlHandle = nullptr;
    char* buffer = nullptr;
    uint32_t length = 0;
    uint32_t capacity = 0;
    KUrlFailure failure = KUrlFailure::None;
    long retryAfterSeconds = -1;
    long totalLimit = 0;
    // The body of the POST being sent; null for a GET.
    const char* postData = nullptr;
    uint32_t postSize = 0;
};
