#include "handlers.h"

#include "listing_page.h"
#include "validation.h"

#include <chrono>
#include <ctime>

namespace {

const char* const kTablesInOrder[] = {"taeasy", "taaverage", "tahard",
                                      "tseasy", "tsaverage", "tshard"};

// Plain answers never contain "yes" unless they mean it: the game looks for
// that word anywhere in the body.
void Answer(httplib::Response& response, int status, const char* text) {
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(text, "text/plain; charset=utf-8");
}

QueryParameters ParametersOf(const httplib::Request& request) {
    return QueryParameters(request.params.begin(), request.params.end());
}

void HandleQuery(ScoreBackend& store, const httplib::Request& request, httplib::Response& response) {
    std::optional<ScoreQuery> query = ParseQuery(ParametersOf(request));
    if (!query) return Answer(response, 400, "bad request\n");
    std::optional<bool> enters = store.WouldEnter(query->table, query->score);
    if (!enters) return Answer(response, 500, "server error\n");
    Answer(response, 200, *enters ? "yes" : "no");
}

void HandleSubmission(ScoreBackend& store, RateLimiter& limiter, const httplib::Request& request,
                      httplib::Response& response) {
    if (!limiter.Allow(request.remote_addr, std::chrono::steady_clock::now())) {
        return Answer(response, 429, "too many submissions, try again in a minute\n");
    }
    std::optional<ScoreSubmission> submission = ParseSubmission(ParametersOf(request));
    if (!submission) return Answer(response, 400, "bad request\n");
    std::vector<AddOutcome> outcome = store.AddAll(
        {{*submission, request.remote_addr, static_cast<int64_t>(std::time(nullptr))}});
    if (outcome[0] == AddOutcome::Failed) return Answer(response, 500, "server error\n");
    Answer(response, 200, outcome[0] == AddOutcome::Stored ? "stored\n" : "no");
}

void HandleListing(ScoreBackend& store, httplib::Response& response) {
    std::vector<ListedTable> tables;
    for (const char* table : kTablesInOrder) {
        auto entries = store.Top(table);
        if (!entries) return Answer(response, 500, "server error\n");
        tables.push_back({table, std::move(*entries)});
    }
    response.set_header("Cache-Control", "no-cache");
    // Only the page's own inline style may apply; nothing loads or runs.
    response.set_header("Content-Security-Policy",
                        "default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_content(RenderListingPage(tables), "text/html; charset=utf-8");
}

} // namespace

void InstallHandlers(httplib::Server& server, ScoreBackend& store, RateLimiter& limiter,
                     const ServerOptions& options) {
    const size_t maxRequest = static_cast<size_t>(options.maxRequestBytes);
    server.set_payload_max_length(maxRequest);
    server.set_pre_routing_handler(
        [maxRequest](const httplib::Request& request, httplib::Response& response) {
            if (request.target.size() > maxRequest) {
                Answer(response, 414, "request too long\n");
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });

    server.Get("/highscores/orbolo/ishighscore.php",
               [&store](const httplib::Request& request, httplib::Response& response) {
                   HandleQuery(store, request, response);
               });
    server.Get("/highscores/orbolo/scoresubmitter.php",
               [&store, &limiter](const httplib::Request& request, httplib::Response& response) {
                   HandleSubmission(store, limiter, request, response);
               });
    auto listing = [&store](const httplib::Request&, httplib::Response& response) {
        HandleListing(store, response);
    };
    server.Get("/highscores/orbolo/", listing);
    server.Get("/highscores/orbolo/index.html", listing);
    auto toListing = [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/highscores/orbolo/", 301);
    };
    server.Get("/", toListing);
    server.Get("/highscores/orbolo", toListing);

    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) {
            response.set_content(response.status == 404 ? "not found\n" : "request refused\n",
                                 "text/plain; charset=utf-8");
        }
    });
}
