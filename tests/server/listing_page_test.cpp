// The listing page's markup: escaping and units.
#include "server/scored/listing_page.h"

#include <gtest/gtest.h>

namespace {

TEST(ListingPage, EscapesEveryTextFromOutside) {
    EXPECT_EQ("&lt;b&gt; &amp; &quot;x&quot; &#39;y&#39;", EscapeHtml("<b> & \"x\" 'y'"));
    std::string page =
        RenderListingPage({{"tseasy", {{"<script>alert(1)</script>", 10, 0, 1, true}}, {}},
                           {"taeasy", {}, {{"A\" onmouseover=\"x", 5, 0, 2, false}}}});
    EXPECT_EQ(std::string::npos, page.find("<script>"));
    EXPECT_NE(std::string::npos, page.find("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_NE(std::string::npos, page.find("A&quot; onmouseover=&quot;x"));
}

TEST(ListingPage, TimeAsMinutesAndSecondsPointsAsThey) {
    std::string page = RenderListingPage(
        {{"tahard",
          {{"ANN", 75, 0, 1, false}, {"BOB", 600, 0, 2, false}, {"CY", 9, 0, 3, false}},
          {}},
         {"tshard", {{"DAN", 1230, 86400, 4, false}}, {}},
         {"tsaverage", {}, {}}});
    EXPECT_NE(std::string::npos, page.find(">1:15<"));
    EXPECT_NE(std::string::npos, page.find(">10:00<"));
    EXPECT_NE(std::string::npos, page.find(">0:09<"));
    EXPECT_NE(std::string::npos, page.find(">1230<"));
    EXPECT_NE(std::string::npos, page.find(">1970-01-02<"));
    EXPECT_NE(std::string::npos, page.find("No scores yet"));
    EXPECT_NE(std::string::npos, page.find("<title>Orbolo online highscores</title>"));
}

TEST(ListingPage, VerifiedEntriesLinkTheirReplaysAndOldOnesStandApart) {
    std::string page =
        RenderListingPage({{"tseasy", {{"PRO", 500, 0, 17, true}}, {{"OLD", 900, 0, 3, false}}}});
    const size_t link = page.find("<a href=\"replay.php?id=17\"");
    ASSERT_NE(std::string::npos, link);
    EXPECT_LT(page.find(">PRO<"), link);
    EXPECT_LT(link, page.find("Not verified"));
    EXPECT_LT(page.find("Not verified"), page.find(">OLD<"));
    EXPECT_EQ(std::string::npos, page.find("replay.php?id=3"));
}

} // namespace
