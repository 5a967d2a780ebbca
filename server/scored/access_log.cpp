#include "access_log.h"

#include <cstdio>
#include <ctime>

std::string AccessLogLine(int64_t time, const std::string& address, const std::string& table,
                          const std::string& value, const char* outcome) {
    std::time_t seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(stamp) + " " + address + " " + (table.empty() ? "-" : table) + " " +
           (value.empty() ? "-" : value) + " " + outcome + "\n";
}

void WriteAccessLog(const std::string& lines) {
    std::fwrite(lines.data(), 1, lines.size(), stderr);
}
