// A listening socket on 127.0.0.1 that plays a fixed part: it may never
// accept at all (a server that hangs), or accept one connection, send a
// given text and then hold the connection open or close it.
#pragma once
#include "tests/net/loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class RawSocketServer {
  public:
    enum class Then { Hold, Close };

    // Listens without ever accepting: connections complete in the kernel's
    // queue and then wait for an answer that never comes.
    RawSocketServer() { Listen(); }

    // Accepts one connection, sends `reply` after the request arrives.
    RawSocketServer(std::string reply, Then then) {
        Listen();
        thread = std::thread([this, reply = std::move(reply), then] { Serve(reply, then); });
    }

    ~RawSocketServer() {
        stopping = true;
        if (thread.joinable()) thread.join();
        close(listener);
    }

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }

  private:
    void Listen() { listener = ListenOnLoopback(port); }

    bool WaitReadable(int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!stopping) {
            if (poll(&p, 1, 50) > 0) return true;
        }
        return false;
    }

    void Serve(const std::string& reply, Then then) {
        if (!WaitReadable(listener)) return;
        int connection = accept(listener, nullptr, nullptr);
        if (connection < 0) return;
        char request[4096];
        if (WaitReadable(connection)) (void)!recv(connection, request, sizeof request, 0);
        (void)!send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
        if (then == Then::Hold) {
            while (!stopping)
                usleep(20000);
        }
        close(connection);
    }

    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
