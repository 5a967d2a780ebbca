// A PostgreSQL server of the test's own: initdb and pg_ctl in a temporary
// folder, listening only on a Unix socket in that folder, run as `nobody`
// when the test runs as root (the server refuses to run as root). A watcher
// process stops and removes it when this object goes or the test process
// dies in any way (a crash, a timeout's kill).
#pragma once
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class PostgresServer {
  public:
    PostgresServer() {
        bin = ProgramFolder();
        char pattern[] = "/tmp/orbolo-pg-XXXXXX";
        folder = mkdtemp(pattern);
        if (geteuid() == 0) {
            Shell("chown nobody: " + folder);
            asUser = "runuser -u nobody -- ";
        }
        StartWatcher();
        // fsync off: a test database need not survive a power cut.
        started = Shell(asUser + bin + "/initdb -D " + folder + "/data -U orbolo --auth=trust" +
                        " --no-sync -E UTF8 --locale=C > " + folder + "/initdb.log 2>&1") &&
                  Shell(asUser + bin + "/pg_ctl -D " + folder + "/data -l " + folder +
                        "/server.log -w -o \"-k " + folder +
                        " -c listen_addresses='' -c fsync=off\" start > /dev/null");
        if (!started) {
            why = bin.empty() ? "no /usr/lib/postgresql/<version>/bin/pg_ctl"
                              : Log("initdb.log") + Log("server.log");
        }
    }
    ~PostgresServer() {
        close(watcherPipe);
        waitpid(watcher, nullptr, 0);
    }
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // A fresh empty database on this server; "" (and a test failure) when
    // the server did not start.
    std::string NewDatabase() {
        if (!started) {
            ADD_FAILURE() << "the PostgreSQL server did not start: " << why;
            return "";
        }
        std::string name = "test" + std::to_string(++databases);
        PGconn* c = PQconnectdb(Url("postgres").c_str());
        PGresult* r = PQexec(c, ("CREATE DATABASE " + name).c_str());
        EXPECT_EQ(PGRES_COMMAND_OK, PQresultStatus(r)) << PQerrorMessage(c);
        PQclear(r);
        PQfinish(c);
        return Url(name);
    }
    // A fast restart, as an operator's maintenance does: every open
    // connection is cut.
    void Restart() {
        EXPECT_TRUE(
            Shell(asUser + bin + "/pg_ctl -D " + folder + "/data -m fast -w restart > /dev/null"));
    }
    // SIGSTOP freezes the server and its processes, as a machine that
    // swaps would; SIGCONT thaws them.
    void Signal(int signal) {
        pid_t postmaster = 0, pid = 0, parent = 0;
        std::ifstream(folder + "/data/postmaster.pid") >> postmaster;
        ASSERT_LT(0, postmaster);
        kill(postmaster, signal);
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::string name, state; // a server's process names hold no blanks
            if (std::ifstream(entry.path() / "stat") >> pid >> name >> state >> parent &&
                parent == postmaster)
                kill(pid, signal);
        }
    }
    std::string Url(const std::string& database) const {
        return "postgresql://orbolo@/" + database + "?host=" + folder;
    }
    // A program of the server's own version, such as psql.
    std::string Program(const std::string& name) const { return bin + "/" + name; }

  private:
    // The watcher waits for the end of a pipe only this process writes to
    // (closed on exec, so no child keeps it open), in a session of its own
    // so that a kill of the test's process group spares it.
    void StartWatcher() {
        std::string cleanup = asUser + bin + "/pg_ctl -D " + folder +
                              "/data -m immediate -w stop > /dev/null 2>&1; rm -rf " + folder;
        int ends[2];
        ASSERT_EQ(0, pipe2(ends, O_CLOEXEC));
        watcher = fork();
        if (watcher == 0) {
            setsid();
            close(ends[1]);
            char c;
            while (read(ends[0], &c, 1) < 0 && errno == EINTR)
                continue;
            execl("/bin/sh", "sh", "-c", cleanup.c_str(), static_cast<char*>(nullptr));
            _exit(1);
        }
        close(ends[0]);
        watcherPipe = ends[1];
    }
    std::string Log(const std::string& name) const {
        std::ifstream in(folder + "/" + name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }
    // Debian keeps the server programs in /usr/lib/postgresql/<version>/bin.
    static std::string ProgramFolder() {
        std::string best;
        int bestVersion = 0;
        std::error_code missing;
        for (const auto& entry :
             std::filesystem::directory_iterator("/usr/lib/postgresql", missing)) {
            int version = std::atoi(entry.path().filename().c_str());
            if (version > bestVersion && std::filesystem::exists(entry.path() / "bin/pg_ctl")) {
                bestVersion = version;
                best = (entry.path() / "bin").string();
            }
        }
        return best;
    }

    std::string bin, folder, asUser, why;
    bool started = false;
    int watcherPipe = -1;
    pid_t watcher = -1;
    int databases = 0;
};
