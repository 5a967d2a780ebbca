// The real orbolo-scored, started for a test on a free loopback port with a
// database in a fresh temporary folder, and stopped with SIGTERM.
#pragma once
#include <gtest/gtest.h>
#include <httplib.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

class ScoreServerProcess {
  public:
    // `options` come after --listen and --db. The database stays put across
    // Restart, so a test can check what survives.
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

    void Restart() {
        RestartAfter([] {});
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
    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port);
        client.set_connection_timeout(5);
        client.set_read_timeout(10);
        return client;
    }

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
               read(out[0], &c, 1) == 1) {
            line += c;
        }
        close(out[0]);
        size_t at = line.find("127.0.0.1:");
        ASSERT_NE(std::string::npos, at) << "no address from the server: " << line;
        port = std::atoi(line.c_str() + at + 10);
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
