// Data-parallel loops for the large readers: the work is split into chunks that several threads
// take in turn, while the calling thread, which takes chunks too, stays the only one that talks to
// the progress display.
#pragma once

#include <functional>

// Most threads the data-parallel routines run on: the machine's cores, at most 8, unless a
// limit was set (benchmarks time one core with a limit of 1; 0 lifts the limit).
int ThreadLimit();
void SetThreadLimit(int threads);

// Runs work(i) for every chunk i in 0..chunks-1 on up to `threads` threads (0 = ThreadLimit()), the
// caller's included. On the caller's thread, after each chunk it ran and every 2 ms while it waits
// for the other threads, step(done) gets the number of chunks finished so far (last with all of
// them) and returns false to stop. Returns false when stopped (chunks not yet started are skipped);
// an exception thrown by work is rethrown on the caller's thread after every thread has ended.
bool ParallelChunks(int chunks, const std::function<void(int)>& work,
                    const std::function<bool(int)>& step, int threads = 0);
