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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    QueryParameters parameters = Split(text);
    if (auto query = ParseQuery(parameters)) {
        if (!IsTableName(query->table) || query->score < 0 || query->score > 32767) std::abort();
    }
    if (auto submission = ParseSubmission(parameters)) {
        if (!IsPlayerName(submission->name) || submission->score < 0 || submission->score > 32767)
            std::abort();
    }
    std::string page = RenderListingPage({{"tseasy", {{text, 5, 0}}}, {"tahard", {{text, 75, 0}}}});
    std::string escaped = EscapeHtml(text);
    if (escaped.find_first_of("<>\"'") != std::string::npos) std::abort();
    if (page.find(escaped) == std::string::npos) std::abort();
    return 0;
}
