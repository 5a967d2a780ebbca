// A real HTTP server on 127.0.0.1 for tests: cpp-httplib on a free port,
// serving on its own thread until the object goes away. Every request's raw
// target and user agent are recorded.
#pragma once
#include <httplib.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
  public:
    struct Seen {
        std::string target; // as sent on the request line
        std::string userAgent;
    };

    LoopbackHttpServer() {
        // Recorded before the answer goes out, so a client that has its
        // answer always finds its request here.
        server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard<std::mutex> lock(mutex);
            seen.push_back({request.target, request.get_header_value("User-Agent")});
            return httplib::Server::HandlerResponse::Unhandled;
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        // stop() before the accept loop runs would be lost and join hang.
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LoopbackHttpServer() {
        server.stop();
        thread.join();
    }

    // "http://127.0.0.1:PORT"
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }
    int Port() const { return port; }

    std::vector<Seen> Requests() {
        std::lock_guard<std::mutex> lock(mutex);
        return seen;
    }

    httplib::Server server;

  private:
    int port = 0;
    std::thread thread;
    std::mutex mutex;
    std::vector<Seen> seen;
};

// The score server's two pages: the query answers what `answer` holds when
// asked (read under `lock`), a submission is acknowledged with "stored".
inline void ServeScorePages(LoopbackHttpServer& http, std::mutex& lock, const std::string& answer) {
    http.server.Get("/highscores/orbolo/ishighscore.php",
                    [&lock, &answer](const httplib::Request&, httplib::Response& response) {
                        std::lock_guard<std::mutex> guard(lock);
                        response.set_content(answer, "text/plain");
                    });
    http.server.Get("/highscores/orbolo/scoresubmitter.php",
                    [](const httplib::Request&, httplib::Response& response) {
                        response.set_content("stored", "text/plain");
                    });
}
