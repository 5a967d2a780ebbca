// Any query text against the score server's rules: whatever passes holds
// only what the rules allow, and the listing page escapes it whatever it is.
#include "server/scored/listing_page.h"
#include "server/scored/validation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

QueryParameters Split(const std::string& text) {
    QueryParameters parameters;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('&', start);
        if (end == std::string::npos) end = text.size();
        std::string pair = text.substr(start, end - start);
        size_t equals = pair.find('=');
        if (equals == std::string::npos)
            parameters.emplace(pair, "");
        else
            parameters.emplace(pair.substr(0, equals), pair.substr(equals + 1));
        start = end + 1;
    }
    return parameters;
}

// The range each table keeps, stated here on its own so that a change of
// range in the server shows up as a failing seed, not as a random find:
// TimeAttack seconds left 0..32767, TopScore points 0..327670 in tens.
bool ScoreFitsTable(const std::string& table, int score) {
    if (table.rfind("ta", 0) == 0) return score >= 0 && score <= 32767;
    if (table.rfind("ts", 0) == 0) return score >= 0 && score <= 327670 && score % 10 == 0;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    QueryParameters parameters = Split(text);
    if (auto query = ParseQuery(parameters)) {
        if (!IsTableName(query->table) || !ScoreFitsTable(query->table, query->score)) std::abort();
    }
    if (auto submission = ParseSubmission(parameters)) {
        if (!IsTableName(submission->table) || !IsPlayerName(submission->name) ||
            !ScoreFitsTable(submission->table, submission->score))
            std::abort();
    }
    std::string page = RenderListingPage({{"tseasy", {{text, 5, 0}}}, {"tahard", {{text, 75, 0}}}});
    std::string escaped = EscapeHtml(text);
    if (escaped.find_first_of("<>\"'") != std::string::npos) std::abort();
    if (page.find(escaped) == std::string::npos) std::abort();
    return 0;
}
