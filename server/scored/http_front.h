// The HTTP side of orbolo-scored, on libmicrohttpd: a few event loops
// (epoll) serve every connection, so a slow or idle client costs a socket
// and a little memory, never a thread. Bounds: each connection's memory
// (headers past it are refused with 431), the number of header lines
// (431), the time to send a whole request, and the connections open at
// once per source. Behind a trusted proxy the client's address comes from
// X-Forwarded-For.
#pragma once
#include "handlers.h"
#include "options.h"

#include <memory>

class HttpFront {
  public:
    virtual ~HttpFront() = default;
    // Stops taking connections and ends the event loops.
    virtual void Stop() = 0;
};

// Serves on `listener` (a bound, listening socket, taken over); nullptr
// with `error` set when the loops cannot start.
std::unique_ptr<HttpFront> StartHttpFront(int listener, ScoreService& service,
                                          const ServerOptions& options, std::string& error);
