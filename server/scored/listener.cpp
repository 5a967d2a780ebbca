#include "listener.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

int OpenListener(const std::string& host, int& port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (int rc = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found)) {
        error = gai_strerror(rc);
        return -1;
    }
    // Non-blocking: every event loop watches it, and only one wins each accept.
    int listener = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    int yes = 1, no = 0;
    // SO_REUSEADDR lets a restarted server take its port at once; without
    // SO_REUSEPORT a second server cannot bind the same port and split the
    // players between two databases.
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    // [::] serves IPv4 clients too.
    if (found->ai_family == AF_INET6) {
        setsockopt(listener, IPPROTO_IPV6, IPV6_V6ONLY, &no, sizeof no);
    }
    if (listener < 0 || bind(listener, found->ai_addr, found->ai_addrlen) != 0 ||
        listen(listener, SOMAXCONN) != 0) {
        error = std::strerror(errno);
        if (listener >= 0) close(listener);
        freeaddrinfo(found);
        return -1;
    }
    freeaddrinfo(found);
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &length);
    port = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                             : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    return listener;
}
