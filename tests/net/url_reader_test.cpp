// KUrlReader against real HTTP servers on 127.0.0.1.
#include "framework/net/KUrlReader.h"
#include "framework/net/url_text.h"
#include "net/loopback_http_server.h"
#include "net/raw_socket_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

bool Offline() {
    return false;
}
bool Online() {
    return true;
}

std::string Pattern(size_t size) {
    std::string text(size, ' ');
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>('a' + (i * 7) % 26);
    return text;
}

class UrlReaderTest : public testing::Test {
  protected:
    void SetUp() override {
        KUrlReader::SetLimits({});
        KUrlReader::SetConnectionCheck(nullptr);
        unsetenv("http_proxy");
        unsetenv("no_proxy");
        server.server.Get("/text", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("hello there", "text/plain");
        });
        // The same page asked for through a proxy: the target is the whole URL.
        server.server.Get("http://scores.orbolo.invalid/text",
                          [](const httplib::Request&, httplib::Response& response) {
                              response.set_content("hello there", "text/plain");
                          });
        server.server.Get("/empty", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("", "text/plain");
        });
        server.server.Get(
            R"(/size/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
                response.set_content(Pattern(std::stoul(request.matches[1])), "text/plain");
            });
        server.server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("yes, not found", "text/plain");
        });
        server.server.Get("/broken", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("yes", "text/plain");
        });
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

    LoopbackHttpServer server;
};

TEST(UrlText, EncodesWhatCannotTravelRawAndKeepsTheRest) {
    char out[520];
    ASSERT_TRUE(CanonicalizeUrl("http://h:1/p.php?name=JOHN  DOE&score=5", out, sizeof out));
    EXPECT_STREQ("http://h:1/p.php?name=JOHN%20%20DOE&score=5", out);
    ASSERT_TRUE(CanonicalizeUrl("http://h/a%20b?x=<\"\x01\xC3\xA9|>", out, sizeof out));
    EXPECT_STREQ("http://h/a%20b?x=%3C%22%01%C3%A9%7C%3E", out);
    // Too long for the room given: refused, not cut.
    EXPECT_FALSE(CanonicalizeUrl("http://h/ab", out, 11));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(CanonicalizeUrl("http://h/ab", out, 12));
}

TEST(UrlText, KnowsLoopbackHosts) {
    EXPECT_TRUE(UrlHostIsLoopback("http://127.0.0.1:8086/x"));
    EXPECT_TRUE(UrlHostIsLoopback("http://127.1.2.3/"));
    EXPECT_TRUE(UrlHostIsLoopback("http://LocalHost/x?y"));
    EXPECT_TRUE(UrlHostIsLoopback("http://[::1]:80/"));
    EXPECT_TRUE(UrlHostIsLoopback("http://user@127.0.0.1/"));
    EXPECT_FALSE(UrlHostIsLoopback("http://127.0.0.1.evil.example/"));
    EXPECT_FALSE(UrlHostIsLoopback("http://scores.example/?h=127.0.0.1"));
    EXPECT_FALSE(UrlHostIsLoopback("http://127.0.0.1@scores.example/"));
    EXPECT_FALSE(UrlHostIsLoopback("http://10.0.0.1/"));
}

TEST_F(UrlReaderTest, BodiesArriveWholeAndTerminatedInABufferThatDoublesFrom16KiB) {
    struct Case {
        std::string path, body; // "-" for a failure
        uint32_t capacity;
    } cases[] = {{"/text", "hello there", 16384},
                 {"/empty", "", 16384}, // an empty text, not null
                 {"/size/16127", Pattern(16127), 16384},
                 {"/size/16128", Pattern(16128), 32768}, // doubles once at 16128
                 {"/size/100000", Pattern(100000), 131072},
                 {"/text", "hello there", 16384},          // the big body freed
                 {"/missing", "-", 0},                     // 404 with a body: a failure,
                 {"/broken", "-", 0}};                     // 500 too, leaving no old body
    KUrlReader reader;
    for (const Case& c : cases) {
        const char* body = reader.Get((server.Base() + c.path).c_str(), false);
        EXPECT_EQ(reader.GetCapacity(), c.capacity) << c.path;
        if (c.body == "-") {
            EXPECT_EQ(body, nullptr) << c.path;
            EXPECT_EQ(reader.GetLength(), 0u);
            continue;
        }
        ASSERT_NE(body, nullptr) << c.path;
        ASSERT_EQ(reader.GetLength(), c.body.size()) << c.path;
        EXPECT_EQ(std::string(body, reader.GetLength()), c.body) << c.path;
        for (uint32_t i = reader.GetLength(); i < reader.GetCapacity(); ++i)
            ASSERT_EQ(body[i], 0) << c.path;
    }
    auto seen = server.Requests();
    EXPECT_EQ(seen[0].userAgent, "TORV - https://orbolo.example/framework/");
    EXPECT_EQ(std::string(KUrlReader::UserAgent()).rfind("TORV - ", 0), 0u);
    ASSERT_NE(reader.Get((server.Base() + "/text?name=ANN LEE&x=1").c_str(), false), nullptr);
    EXPECT_EQ(server.Requests().back().target, "/text?name=ANN%20LEE&x=1") << "blanks encoded";
}

TEST_F(UrlReaderTest, OfflineOpensNothingAndKeepsTheLastBody) {
    // The recording server acts as the environment's proxy, so a request to
    // any host would show up there.
    setenv("http_proxy", server.Base().c_str(), 1);
    KUrlReader reader;
    KUrlReader::SetConnectionCheck(Online);
    const char* body = reader.Get("http://scores.orbolo.invalid/text", false);
    ASSERT_NE(nullptr, body);
    EXPECT_STREQ("hello there", body);
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ("http://scores.orbolo.invalid/text", server.Requests()[0].target);

    KUrlReader::SetConnectionCheck(Offline);
    EXPECT_EQ(nullptr, reader.Get("http://scores.orbolo.invalid/text", false));
    EXPECT_EQ(1u, server.Requests().size());
    EXPECT_STREQ("hello there", body); // nothing else happened
    EXPECT_EQ(11u, reader.GetLength());
}

TEST_F(UrlReaderTest, LoopbackServerAnswersOfflineAndPastAnyProxy) {
    KUrlReader::SetConnectionCheck(Offline);
    setenv("http_proxy", "http://127.0.0.1:1", 1); // a proxy that is not there
    KUrlReader reader;
    EXPECT_NE(nullptr, reader.Get((server.Base() + "/text").c_str(), false));
    EXPECT_EQ("/text", server.Requests().at(0).target);
}

TEST_F(UrlReaderTest, DirectSkipsTheProxy) {
    KUrlReader::SetConnectionCheck(Online);
    setenv("http_proxy", server.Base().c_str(), 1);
    KUrlReader reader;
    EXPECT_NE(nullptr, reader.Get("http://scores.orbolo.invalid/text", false));
    // Direct, the made-up host cannot even be resolved: nothing reaches the proxy.
    EXPECT_EQ(nullptr, reader.Get("http://scores.orbolo.invalid/text", true));
    EXPECT_EQ(1u, server.Requests().size());
}

TEST_F(UrlReaderTest, ServersThatAreDownSilentOrBreakOffGiveNullWithinTheTimeLimit) {
    KUrlReader::SetLimits({.connectMilliseconds = 300, .totalMilliseconds = 500});
    KUrlReader reader;
    std::string down;
    {
        RawSocketServer closed; // take a free port, then give it up
        down = closed.Base();
    }
    EXPECT_EQ(reader.Get((down + "/x").c_str(), false), nullptr);

    RawSocketServer silent; // accepts in the kernel, never answers
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(reader.Get((silent.Base() + "/x").c_str(), false), nullptr);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 450);
    EXPECT_LT(ms, 4500) << "the default limits are seconds longer";

    // A body that stalls or breaks off midway is not returned cut.
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nyes";
    for (auto then : {RawSocketServer::Then::Hold, RawSocketServer::Then::Close}) {
        RawSocketServer cut(head, then);
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
    EXPECT_EQ(nullptr, reader.Get((server.Base() + "/size/262145").c_str(), false));
    const char* body = reader.Get((server.Base() + "/size/262144").c_str(), false);
    ASSERT_NE(nullptr, body);
    EXPECT_EQ(262144u, reader.GetLength());
}

} // namespace
