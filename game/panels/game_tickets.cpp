#include "game/panels/game_tickets.h"

#include "framework/platform/platform_system.h"
#include "game/panels/score_tables.h"
#include "game/rules/game_state.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
// Servers keep a token good for hours; one kept longer than this is
// dropped rather than sent to be refused.
constexpr auto kTicketKeptFor = std::chrono::hours(2);

struct Tickets {
    std::mutex mutex;
    std::optional<GameTicket> ready;
    Clock::time_point fetchedAt;
    bool askAgain = true; // false once the tables said asking cannot help
    std::thread fetch;    // the fetch under way, or the last one
    bool fetching = false;
} TICKETS;

void Fetch() {
    bool askAgain = true;
    std::optional<GameTicket> ticket = GameScoreTables().FetchGameTicket(askAgain);
    std::lock_guard<std::mutex> lock(TICKETS.mutex);
    TICKETS.ready = std::move(ticket);
    TICKETS.fetchedAt = Clock::now();
    TICKETS.askAgain = askAgain;
    TICKETS.fetching = false;
}

// With the lock held, on the game's thread. A player who keeps the online
// scores off sends nothing. Where no thread can start (a browser page),
// the lock is let go and the ticket fetched at once: the page's own server
// answers quickly and the page keeps answering while it waits.
void FetchAheadLocked(std::unique_lock<std::mutex>& lock) {
    if (!settings.onlineScores) return;
    if (TICKETS.fetching || !TICKETS.askAgain || TICKETS.ready) return;
    TICKETS.fetching = true;
    if constexpr (!platform::kCanStartThreads) {
        lock.unlock();
        Fetch();
        return;
    }
    if (TICKETS.fetch.joinable()) TICKETS.fetch.join(); // ended: it cleared `fetching`
    TICKETS.fetch = std::thread(Fetch);
}

} // namespace

void StartFetchingGameTickets() {
    std::unique_lock<std::mutex> lock(TICKETS.mutex);
    FetchAheadLocked(lock);
}

std::optional<GameTicket> TakeGameTicket() {
    std::unique_lock<std::mutex> lock(TICKETS.mutex);
    std::optional<GameTicket> ticket;
    if (TICKETS.ready && Clock::now() - TICKETS.fetchedAt < kTicketKeptFor) ticket = TICKETS.ready;
    TICKETS.ready.reset();
    FetchAheadLocked(lock);
    return ticket;
}

void StopFetchingGameTickets() {
    std::thread fetch;
    {
        std::lock_guard<std::mutex> lock(TICKETS.mutex);
        TICKETS.askAgain = false;
        fetch = std::move(TICKETS.fetch);
    }
    if (fetch.joinable()) fetch.join(); // the reader's time limit bounds it
}
