// Writes float PCM as a plain 16-bit PCM WAV file: RIFF header, a 16-byte
// "fmt " chunk, then "data".
#pragma once
#include <string>
#include <vector>

bool WriteWav(const std::string& path, const std::vector<float>& interleaved, int channels,
              int rate);
