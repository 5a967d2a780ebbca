// The real orbolo-scored, started for a test on a free loopback port with a
// database in a fresh temporary folder, and stopped with SIGTERM; and raw
// HTTP/1.0 requests to it from any loopback source.
#pragma once
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

class ScoreServerProcess {
  public:
    // `options` come after --listen and --db. The database stays put across
    // RestartAfter, so a test can check what survives.
    explicit ScoreServerProcess(std::vector<std::string> options = {})
        : extraOptions(std::move(options)) {
        char pattern[] = "/tmp/orbolo-scored-test-XXXXXX";
        folder = mkdtemp(pattern);
        Start();
    }
    ~ScoreServerProcess() {
        Stop();
        std::filesystem::remove_all(folder);
    }

    // Stops the server, lets `change` work on its database, starts it again.
    template <class Change> void RestartAfter(Change change) {
        Stop();
        change();
        Start();
    }

    std::string DatabasePath() const { return folder + "/scores.db"; }
    int Port() const { return port; }
    pid_t Pid() const { return pid; }

  private:
    void Start() {
        int out[2];
        ASSERT_EQ(0, pipe(out));
        std::vector<std::string> args = {ORBOLO_SCORED_PATH, "--listen", "127.0.0.1:0", "--db",
                                         DatabasePath()};
        args.insert(args.end(), extraOptions.begin(), extraOptions.end());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        ASSERT_EQ(0, posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ));
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        // The server prints its address once it listens.
        std::string line;
        pollfd p{out[0], POLLIN, 0};
        char c = 0;
        while (line.find('\n') == std::string::npos && poll(&p, 1, 5000) > 0 &&
               read(out[0], &c, 1) == 1)
            line += c;
        close(out[0]);
        size_t at = line.rfind(':', line.find("/highscores/"));
        ASSERT_NE(std::string::npos, at) << "no address from the server: " << line;
        port = std::atoi(line.c_str() + at + 1);
    }
    void Stop() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "unclean stop";
        pid = -1;
    }

    std::vector<std::string> extraOptions;
    std::string folder;
    pid_t pid = -1;
    int port = 0;
};

// A connection from `source` to the server, or -1: from an address of
// 127.0.0.0/8 to 127.0.0.1, or from ::1 to ::1.
inline int Connect(const ScoreServerProcess& server, const char* source) {
    const bool v6 = std::string(source).find(':') != std::string::npos;
    sockaddr_in from{AF_INET, 0, {}, {}}, to{AF_INET, htons(server.Port()), {}, {}};
    sockaddr_in6 from6{AF_INET6, 0, 0, {}, 0}, to6{AF_INET6, htons(server.Port()), 0, {}, 0};
    inet_pton(AF_INET, source, &from.sin_addr);
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    inet_pton(AF_INET6, source, &from6.sin6_addr);
    to6.sin6_addr = in6addr_loopback;
    auto* f = v6 ? reinterpret_cast<sockaddr*>(&from6) : reinterpret_cast<sockaddr*>(&from);
    auto* t = v6 ? reinterpret_cast<sockaddr*>(&to6) : reinterpret_cast<sockaddr*>(&to);
    const socklen_t size = v6 ? sizeof from6 : sizeof from;
    int s = socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    if (bind(s, f, size) != 0 || connect(s, t, size) != 0) {
        close(s);
        return -1;
    }
    timeval limit{10, 0}; // a hung server fails the test instead of stalling it
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return s;
}

// Everything the server sends until it closes; "" when it only closes.
inline std::string ReadAll(int s) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;)
        text.append(buffer, n);
    return text;
}

// One GET from `source`: the whole reply.
inline std::string Raw(const ScoreServerProcess& server, const std::string& target,
                       const char* source = "127.0.0.1", const std::string& headers = "") {
    int s = Connect(server, source);
    if (s < 0) return "no connection";
    std::string request = "GET " + target + " HTTP/1.0\r\n" + headers + "\r\n";
    send(s, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply = ReadAll(s);
    close(s);
    return reply;
}

// The status and body of a whole reply as "431" or "200 yes".
inline std::string StatusAndBody(const std::string& reply) {
    if (reply.size() < 12) return reply;
    size_t body = reply.find("\r\n\r\n");
    std::string text = reply.substr(9, 3);
    if (body != std::string::npos && body + 4 < reply.size()) text += " " + reply.substr(body + 4);
    return text;
}

inline long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    long kib = -1;
    while (status >> word)
        if (word == "VmRSS:") status >> kib;
    return kib;
}

// Runs orbolo-scored with `arguments` (after `prefix`, such as runuser);
// its output and status.
inline std::pair<std::string, int> Scored(const std::string& arguments,
                                          const std::string& prefix = "") {
    FILE* out = popen((prefix + ORBOLO_SCORED_PATH + " " + arguments + " 2>&1").c_str(), "r");
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;)
        text.append(buffer, n);
    int status = pclose(out);
    return {text, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// One GET from `source`: the status and body as "431" or "200 yes".
inline std::string Get(const ScoreServerProcess& server, const std::string& target,
                       const char* source = "127.0.0.1", const std::string& headers = "") {
    return StatusAndBody(Raw(server, target, source, headers));
}

// One POST of `body` from `source`: the status and body of the reply.
inline std::string Post(const ScoreServerProcess& server, const std::string& target,
                        const std::string& body, const char* source = "127.0.0.1") {
    int s = Connect(server, source);
    if (s < 0) return "no connection";
    std::string request = "POST " + target +
                          " HTTP/1.0\r\nContent-Length: " + std::to_string(body.size()) +
                          "\r\n\r\n" + body;
    send(s, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply = ReadAll(s);
    close(s);
    return StatusAndBody(reply);
}
