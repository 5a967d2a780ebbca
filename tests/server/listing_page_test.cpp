// The listing page's markup: escaping and units.
#include "server/scored/listing_page.h"

#include <gtest/gtest.h>

namespace {

TEST(ListingPage, EscapesEveryTextFromOutside) {
    EXPECT_EQ("&lt;b&gt; &amp; &quot;x&quot; &#39;y&#39;", EscapeHtml("<b> & \"x\" 'y'"));
    std::string page = RenderListingPage({{"tseasy", {{"<script>alert(1)</script>", 10, 0}}},
                                          {"taeasy", {{"A\" onmouseover=\"x", 5, 0}}}});
    EXPECT_EQ(std::string::npos, page.find("<script>"));
    EXPECT_NE(std::string::npos, page.find("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_NE(std::string::npos, page.find("A&quot; onmouseover=&quot;x"));
}

TEST(ListingPage, TimeAsMinutesAndSecondsPointsAsThey) {
    std::string page =
        RenderListingPage({{"tahard", {{"ANN", 75, 0}, {"BOB", 600, 0}, {"CY", 9, 0}}},
                           {"tshard", {{"DAN", 1230, 86400}}},
                           {"tsaverage", {}}});
    EXPECT_NE(std::string::npos, page.find(">1:15<"));
    EXPECT_NE(std::string::npos, page.find(">10:00<"));
    EXPECT_NE(std::string::npos, page.find(">0:09<"));
    EXPECT_NE(std::string::npos, page.find(">1230<"));
    EXPECT_NE(std::string::npos, page.find(">1970-01-02<"));
    EXPECT_NE(std::string::npos, page.find("No scores yet"));
    EXPECT_NE(std::string::npos, page.find("<title>Orbolo online highscores</title>"));
}

} // namespace
