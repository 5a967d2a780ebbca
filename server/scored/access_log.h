// One line per submission on stderr, for journald: time (UTC), source
// address, table, value, outcome.
#pragma once
#include <cstdint>
#include <string>

std::string AccessLogLine(int64_t time, const std::string& address, const std::string& table,
                          const std::string& value, const char* outcome);
// Writes the lines at once, so lines from different threads never mix.
void WriteAccessLog(const std::string& lines);
