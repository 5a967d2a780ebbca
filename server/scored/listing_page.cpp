#include "listing_page.h"

#include <cstdio>
#include <ctime>

namespace {

// Night-blue ground, gold headings, white text: the game's own colours.
const char* const kStyle = R"(
:root { color-scheme: dark; }
* { box-sizing: border-box; }
body { margin: 0; min-height: 100vh; font-family: "DejaVu Sans", Verdana, sans-serif;
  color: #ffffff; background: #0b1433 linear-gradient(180deg, #101d4a 0%, #060b1f 100%); }
header { text-align: center; padding: 1.5rem 1rem 0.5rem; }
h1 { margin: 0 0 0 0.3em; color: #f4c430; letter-spacing: 0.3em; font-size: clamp(1.8rem, 6vw, 3rem);
  text-shadow: 0 2px 0 #7a5a00; }
header p { margin: 0.3rem 0 0; color: #dfe6ff; }
header a { color: #ffd833; }
header p.note { max-width: 44rem; margin: 0.6rem auto 0; color: #b9c3e8; font-size: 0.9rem; }
code { color: #f4c430; overflow-wrap: anywhere; }
main { display: grid; gap: 1rem; padding: 1rem; max-width: 72rem; margin: 0 auto;
  grid-template-columns: repeat(auto-fit, minmax(17rem, 1fr)); }
section { background: rgba(255, 255, 255, 0.06); border: 2px solid #f4c430;
  border-radius: 0.8rem; padding: 0.6rem 0.8rem 0.8rem; }
h2 { margin: 0 0 0.4rem; font-size: 1.1rem; color: #f4c430; text-align: center; }
table { width: 100%; border-collapse: collapse; font-size: 0.95rem; }
th { color: #f4c430; font-weight: normal; text-align: left; padding: 0.25rem 0.3rem;
  border-bottom: 1px solid rgba(244, 196, 48, 0.5); }
td { padding: 0.25rem 0.3rem; border-bottom: 1px solid rgba(255, 255, 255, 0.12);
  overflow-wrap: anywhere; }
td.rank, td.value, th.value { text-align: right; white-space: nowrap; }
td.date { color: #b9c3e8; white-space: nowrap; }
td.empty { text-align: center; color: #b9c3e8; padding: 1rem; }
td.proof a { color: #7fe08a; text-decoration: none; white-space: nowrap; }
h3 { margin: 0.8rem 0 0.2rem; font-size: 0.85rem; font-weight: normal; color: #b9c3e8; }
table.unverified { color: #b9c3e8; font-size: 0.85rem; }
footer { text-align: center; color: #8f9ccc; font-size: 0.8rem; padding: 0.5rem 1rem 1.5rem; }
)";

struct TableTitle {
    const char* table;
    const char* title;
};
const TableTitle kTitles[] = {
    {"taeasy", "TimeAttack \xC2\xB7 Easy"},     {"taaverage", "TimeAttack \xC2\xB7 Average"},
    {"tahard", "TimeAttack \xC2\xB7 Hard"},     {"tseasy", "TopScore \xC2\xB7 Easy"},
    {"tsaverage", "TopScore \xC2\xB7 Average"}, {"tshard", "TopScore \xC2\xB7 Hard"},
};

std::string TitleOf(const std::string& table) {
    for (const TableTitle& t : kTitles) {
        if (table == t.table) return t.title;
    }
    return table;
}

bool IsTimeTable(const std::string& table) {
    return table.rfind("ta", 0) == 0;
}

std::string FormatValue(const std::string& table, int value) {
    char text[32];
    if (IsTimeTable(table)) {
        std::snprintf(text, sizeof text, "%d:%02d", value / 60, value % 60);
    } else {
        std::snprintf(text, sizeof text, "%d", value);
    }
    return text;
}

// One ranking; where it holds verified entries, a column with each one's
// mark and the link to its replay (and, where the game is served under
// /play/, a link that watches it there).
void RenderRanking(std::string& html, const std::string& table,
                   const std::vector<ScoreEntry>& entries, bool apart, bool linksPlay) {
    bool proofs = false;
    for (const ScoreEntry& entry : entries)
        proofs = proofs || entry.verified;
    html += apart ? "<table class=\"unverified\">\n" : "<table>\n";
    html += "<thead><tr><th>#</th><th>Name</th><th class=\"value\">";
    html += IsTimeTable(table) ? "Time left" : "Points";
    html += proofs ? "</th><th>Date</th><th>Replay</th></tr></thead>\n<tbody>\n"
                   : "</th><th>Date</th></tr></thead>\n<tbody>\n";
    if (entries.empty()) {
        html += "<tr><td class=\"empty\" colspan=\"4\">No scores yet</td></tr>\n";
    }
    int rank = 1;
    for (const ScoreEntry& entry : entries) {
        html += "<tr><td class=\"rank\">" + std::to_string(rank++) + "</td><td>" +
                EscapeHtml(entry.name) + "</td><td class=\"value\">" +
                EscapeHtml(FormatValue(table, entry.score)) + "</td><td class=\"date\">" +
                EscapeHtml(FormatUtc(entry.submitted, "%Y-%m-%d")) + "</td>";
        if (entry.verified) {
            html += "<td class=\"proof\"><a href=\"replay.php?id=" + std::to_string(entry.id) +
                    "\" title=\"Verified: the server replayed this game\">\xE2\x9C\x93 "
                    "watch</a>";
            if (linksPlay)
                html +=
                    " <a href=\"/play/?replay=" + std::to_string(entry.id) + "\">in browser</a>";
            html += "</td>";
        } else if (proofs) {
            html += "<td></td>";
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
}

void RenderTable(std::string& html, const ListedTable& listed, bool linksPlay) {
    html += "<section>\n<h2>" + EscapeHtml(TitleOf(listed.table)) + "</h2>\n";
    RenderRanking(html, listed.table, listed.entries, false, linksPlay);
    if (!listed.unverified.empty()) {
        html += "<h3>Not verified (games that sent no replay)</h3>\n";
        RenderRanking(html, listed.table, listed.unverified, true, linksPlay);
    }
    html += "</section>\n";
}

} // namespace

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string RenderListingPage(const std::vector<ListedTable>& tables,
                              const ListingWording& wording) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>" +
                       EscapeHtml(wording.title) + "</title>\n<style>";
    html += kStyle;
    html += "</style>\n</head>\n<body>\n<header>\n<h1>ORBOLO</h1>\n<p>" +
            EscapeHtml(wording.heading) + "</p>\n";
    if (!wording.noteHtml.empty()) html += "<p class=\"note\">" + wording.noteHtml + "</p>\n";
    if (wording.linksPlay) html += "<p><a href=\"/play/\">Play in your browser</a></p>\n";
    html += "</header>\n<main>\n";
    for (const ListedTable& listed : tables)
        RenderTable(html, listed, wording.linksPlay);
    html += "</main>\n<footer>TimeAttack ranks by the time left on the clock, TopScore by "
            "points. \xE2\x9C\x93 marks a game the server replayed move by move; its replay "
            "opens in Orbolo. Dates are UTC.</footer>\n</body>\n</html>\n";
    return html;
}

std::string FormatUtc(int64_t seconds, const char* format) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, format, &utc);
    return text;
}
