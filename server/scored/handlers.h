// The score server's routes under /highscores/orbolo/: the query and the
// submission the game sends, and the listing page.
#pragma once
#include "options.h"
#include "rate_limiter.h"
#include "score_backend.h"

#include <httplib.h>

// The store and limiter must outlive the server.
void InstallHandlers(httplib::Server& server, ScoreBackend& store, RateLimiter& limiter,
                     const ServerOptions& options);
