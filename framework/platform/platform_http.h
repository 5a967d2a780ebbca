// Linux stand-in for the system's internet client: a client handle that
// carries the user agent, the environment's proxy and the time limits, and a
// URL handle for one running GET (or POST) whose body is pulled piece by piece.
// https:// is checked against the system's certificate authorities.
#pragma once
#include <cstddef>

namespace platform {

// True when a network interface other than loopback is up and running.
bool NetworkInterfaceUp();

struct HttpTimeouts {
    long connectMilliseconds; // establishing the connection
    long totalMilliseconds;   // the whole request, redirects and body included
};

// Why the last open or read of a client failed.
enum class HttpFailure {
    None,
    Unreachable,     // no name, no connection, no trusted certificate, or no answer in time
    ErrorStatus,     // an answer of 400 and above, or a redirect with nowhere to go
    Busy,            // 503: the server did nothing and asks to be tried again later
    ForeignRedirect, // sent to another host, port or scheme
    Broken,          // the body broke off or stalled midway
};

struct HttpClient;
struct HttpStream;

// Null when the client cannot be created. `direct` connects without any
// proxy; otherwise the environment's proxy settings apply.
HttpClient* OpenHttpClient(const char* userAgent, HttpTimeouts timeouts, bool direct);
void CloseHttpClient(HttpClient* client);

// Makes the client's requests POSTs of `size` bytes at `data` (binary,
// sent as application/octet-stream), which must stay valid until the
// client is closed.
void SetPostBody(HttpClient* client, const char* data, size_t size);

// Sends a GET (or the POST set above) for `url` and waits for the answer to begin. Redirects are
// followed to the same server only, or from http:// up to https:// on the
// same host (at most five), so nothing is sent where the caller did not ask. Null when the server
// cannot be reached, does not answer in time, redirects elsewhere or answers with an error status:
// an error page is not the body asked for.
HttpStream* OpenUrl(HttpClient* client, const char* url);
// What made the client's last OpenUrl or ReadUrl fail.
HttpFailure LastFailure(const HttpClient* client);
// After Busy: the seconds the server asked to wait (its Retry-After), -1
// when it named none.
long RetryAfterSeconds(const HttpClient* client);
void CloseUrl(HttpStream* stream);

// Copies at most `capacity` bytes of the body into `destination`.
// true with *delivered 0: the body has ended. false: the transfer failed
// (connection lost, time limit reached) before the body was complete.
bool ReadUrl(HttpStream* stream, char* destination, size_t capacity, size_t* delivered);

} // namespace platform
