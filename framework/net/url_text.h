// Plain text work on URLs for the reader: making a URL safe to send, and
// telling whether it points at this machine.
#pragma once
#include <cstddef>

// Writes `url` to `out` with every byte that may not travel raw in a request
// line percent-encoded: blanks and other controls, bytes above 0x7E and
// " < > \ ^ ` { | }. Everything else, '%' and the query's own '&' and '='
// included, stays as it is, so an already encoded URL is not encoded twice.
// Returns false (and leaves `out` empty) when the result needs more than
// `capacity` - 1 characters.
bool CanonicalizeUrl(const char* url, char* out, size_t capacity);

// True when the URL's host is this machine: "localhost", 127.x.x.x or [::1].
bool UrlHostIsLoopback(const char* url);
