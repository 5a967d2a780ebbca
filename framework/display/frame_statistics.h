// Frame counts for the benchmarks. When the environment variable
// ORBOLO_FRAME_STATS names a file, the flip rewrites it about once a second
// with one line: monotonic milliseconds, frames shown, frames skipped as
// unchanged, and the process's CPU milliseconds, all read at one moment.
#pragma once

namespace frame_statistics {

// Counts one flip: shown, or skipped because nothing changed.
void Count(bool shown);

} // namespace frame_statistics
