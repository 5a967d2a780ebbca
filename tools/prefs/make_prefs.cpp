// Writes the default preferences file: two signed 32-bit little-endian
// switches, windowed then online scores.
//   make_prefs OUTPUT WINDOWED ONLINE_SCORES
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_prefs OUTPUT WINDOWED ONLINE_SCORES\n");
        return 2;
    }
    unsigned char bytes[8];
    for (int field = 0; field < 2; ++field) {
        auto value = static_cast<uint32_t>(std::atoi(argv[2 + field]));
        for (int i = 0; i < 4; ++i)
            bytes[4 * field + i] = static_cast<unsigned char>(value >> (8 * i));
    }
    FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(bytes, 1, 8, out) != 8 || std::fclose(out) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
