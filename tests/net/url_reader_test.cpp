// KUrlReader against real HTTP servers on 127.0.0.1.
#include "framework/net/KUrlReader.h"
#include "framework/net/url_text.h"
#include "net/loopback_servers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

std::string Pattern(size_t size) {
    std::string text(size, ' ');
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>('a' + (i * 7) % 26);
    return text;
}

// A made-up host: reached only through a proxy.
const char* const kFar = "http://scores.orbolo.invalid/page";

class UrlReaderTest : public testing::Test {
  protected:
    void SetUp() override {
        KUrlReader::SetLimits({});
        KUrlReader::SetConnectionCheck(nullptr);
        unsetenv("http_proxy");
        unsetenv("no_proxy");
        server.Serve("/page");
        server.Serve(kFar); // asked through a proxy, the target is the whole URL
        server.Set({200, "hello there"});
        server.server.Get("/endless", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "text/plain", [](size_t, httplib::DataSink& sink) {
                    static const std::string piece(4096, 'x');
                    return sink.write(piece.data(), piece.size()); // stops when the client leaves
                });
        });
    }
    void TearDown() override {
        KUrlReader::SetLimits({});
        KUrlReader::SetConnectionCheck(nullptr);
        unsetenv("http_proxy");
    }
    const char* Get(KUrlReader& reader, bool direct = false) {
        return reader.Get((server.Base() + "/page").c_str(), direct);
    }

    LoopbackHttpServer server;
};

TEST(UrlText, EncodesWhatCannotTravelRawAndKnowsLoopbackHosts) {
    char out[520];
    ASSERT_TRUE(CanonicalizeUrl("http://h:1/p.php?name=JOHN  DOE&score=5", out, sizeof out));
    EXPECT_STREQ("http://h:1/p.php?name=JOHN%20%20DOE&score=5", out);
    ASSERT_TRUE(CanonicalizeUrl("http://h/a%20b?x=<\"\x01\xC3\xA9|>", out, sizeof out));
    EXPECT_STREQ("http://h/a%20b?x=%3C%22%01%C3%A9%7C%3E", out);
    // Too long for the room given: refused, not cut.
    EXPECT_FALSE(CanonicalizeUrl("http://h/ab", out, 11));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(CanonicalizeUrl("http://h/ab", out, 12));

    for (const char* url : {"http://127.1.2.3/", "http://LocalHost/x?y", "http://[::1]:80/",
                            "http://user@127.0.0.1/"})
        EXPECT_TRUE(UrlHostIsLoopback(url)) << url;
    for (const char* url : {"http://127.0.0.1.evil.example/", "http://scores.example/?h=127.0.0.1",
                            "http://127.0.0.1@scores.example/", "http://10.0.0.1/"})
        EXPECT_FALSE(UrlHostIsLoopback(url)) << url;
}

TEST_F(UrlReaderTest, BodiesArriveWholeAndTerminatedInABufferThatDoublesFrom16KiB) {
    const struct {
        LoopbackHttpServer::Answer answer;
        uint32_t capacity;           // 0: a failure
    } cases[] = {{{200, ""}, 16384}, // an empty text, not null
                 {{200, Pattern(16127)}, 16384},
                 {{200, Pattern(16128)}, 32768}, // doubles once at 16128
                 {{200, Pattern(100000)}, 131072},
                 {{200, "hello there"}, 16384}, // the big body freed
                 {{404, "yes, not found"}, 0}}; // a body with an error status fails
    KUrlReader reader;
    for (const auto& c : cases) {
        server.Set(c.answer);
        const char* body = Get(reader);
        SCOPED_TRACE(c.answer.body.size());
        EXPECT_EQ(reader.GetCapacity(), c.capacity);
        if (!c.capacity) {
            EXPECT_EQ(body, nullptr);
            EXPECT_EQ(reader.GetLength(), 0u);
            continue;
        }
        ASSERT_NE(body, nullptr);
        ASSERT_EQ(std::string(body, reader.GetLength()), c.answer.body);
        for (uint32_t i = reader.GetLength(); i < reader.GetCapacity(); ++i)
            ASSERT_EQ(body[i], 0);
    }
    EXPECT_EQ(server.Requests()[0].userAgent, "TORV - https://orbolo.example/framework/");
    EXPECT_EQ(std::string(KUrlReader::UserAgent()).rfind("TORV - ", 0), 0u);
    server.Set({200, "x"});
    ASSERT_NE(reader.Get((server.Base() + "/page?name=ANN LEE&x=1").c_str(), false), nullptr);
    EXPECT_EQ(server.Requests().back().target, "/page?name=ANN%20LEE&x=1") << "blanks encoded";
}

TEST_F(UrlReaderTest, OfflineOpensNothingButLoopbackAndDirectSkipsTheProxy) {
    // The recording server is the environment's proxy: a request to any host shows up there.
    setenv("http_proxy", server.Base().c_str(), 1);
    KUrlReader reader;
    KUrlReader::SetConnectionCheck([] { return true; });
    const char* body = reader.Get(kFar, false);
    ASSERT_NE(nullptr, body);
    EXPECT_STREQ("hello there", body);
    EXPECT_EQ(kFar, server.Requests().at(0).target);

    KUrlReader::SetConnectionCheck([] { return false; });
    EXPECT_EQ(nullptr, reader.Get(kFar, false));
    EXPECT_STREQ("hello there", body) << "the last body is kept";
    EXPECT_EQ(11u, reader.GetLength());
    KUrlReader::SetConnectionCheck([] { return true; });
    EXPECT_EQ(nullptr, reader.Get(kFar, true)) << "direct, the made-up host is not resolved";
    EXPECT_EQ(1u, server.Requests().size());

    // Offline, and a proxy that is not there: the loopback server still answers.
    KUrlReader::SetConnectionCheck([] { return false; });
    setenv("http_proxy", "http://127.0.0.1:1", 1);
    EXPECT_NE(nullptr, Get(reader));
    EXPECT_EQ("/page", server.Requests().back().target);
}

TEST_F(UrlReaderTest, ServersThatAreDownSilentOrBreakOffGiveNullWithinTheTimeLimit) {
    KUrlReader::SetLimits({.connectMilliseconds = 300, .totalMilliseconds = 500});
    KUrlReader reader;
    std::string down = RawSocketServer().Base(); // a free port, given up again
    EXPECT_EQ(reader.Get((down + "/x").c_str(), false), nullptr);

    RawSocketServer silent;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(reader.Get((silent.Base() + "/x").c_str(), false), nullptr);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(450));
    EXPECT_LT(waited, std::chrono::milliseconds(4500)) << "the default limits are seconds longer";

    // A body that stalls or breaks off midway is not returned cut.
    for (bool hold : {true, false}) {
        RawSocketServer cut("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nyes", hold);
        EXPECT_EQ(reader.Get((cut.Base() + "/x").c_str(), false), nullptr);
    }
    EXPECT_EQ(reader.GetCapacity(), 0u);
}

TEST_F(UrlReaderTest, EndlessBodyIsCutOffAtTheCap) {
    KUrlReader::SetLimits({.maxBodyBytes = 256 * 1024});
    KUrlReader reader;
    EXPECT_EQ(nullptr, reader.Get((server.Base() + "/endless").c_str(), false));
    EXPECT_EQ(0u, reader.GetCapacity());
    // One byte over the cap fails; exactly the cap is still a body.
    server.Set({200, Pattern(262145)});
    EXPECT_EQ(nullptr, Get(reader));
    server.Set({200, Pattern(262144)});
    ASSERT_NE(nullptr, Get(reader));
    EXPECT_EQ(262144u, reader.GetLength());
}

} // namespace
