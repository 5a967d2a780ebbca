// Waiting for the next frame without burning a core.
#pragma once

// Returns once the monotonic clock (platform milliseconds) reaches
// deadline: sleeps for most of the wait and spins only the last stretch,
// since sleeps overshoot by a fraction of a millisecond.
void WaitUntil(double deadlineMs);
