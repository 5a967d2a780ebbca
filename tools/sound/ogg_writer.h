// Encodes float PCM as OGG Vorbis with libvorbisenc. The stream serial
// number is fixed, so the same samples give the same bytes on every run.
#pragma once
#include <string>
#include <vector>

bool WriteOgg(const std::string& path, const std::vector<float>& interleaved, int channels,
              int rate, float quality);
