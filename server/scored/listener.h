// The listening socket, opened before the HTTP layer takes it over.
#pragma once
#include <string>

// Binds host:port (port 0: any free one) and listens; the socket, or -1
// with `error` set. `port` is set to the port taken.
int OpenListener(const std::string& host, int& port, std::string& error);
