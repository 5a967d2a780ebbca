// The public listing page: the six tables as one HTML5 document.
#pragma once
#include "score_backend.h"

#include <cstdint>
#include <string>
#include <vector>

struct ListedTable {
    std::string table;               // "taeasy" .. "tshard"
    std::vector<ScoreEntry> entries; // a verified one is linked to its replay
    // From games that sent no replay, listed apart; empty when hidden.
    std::vector<ScoreEntry> unverified;
};

// Every text from outside is escaped before it enters the markup.
std::string EscapeHtml(const std::string& text);
// A time (seconds since 1970) in UTC, by strftime's `format`.
std::string FormatUtc(int64_t seconds, const char* format);
// What the page calls itself: by default a shared server's tables.
struct ListingWording {
    std::string title = "Orbolo online highscores";
    std::string heading = "Online highscores";
    std::string noteHtml;   // markup under the heading; empty for none
    bool linksPlay = false; // links the game served under /play/
};
// TimeAttack tables show the seconds left as m:ss, TopScore tables points.
// A verified entry carries a mark and a link to its replay.
std::string RenderListingPage(const std::vector<ListedTable>& tables,
                              const ListingWording& wording = {});
