#include "parallel.h"

#include "vectorstate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <list>
#include <mutex>
#include <thread>

#ifdef __unix__
#include <pthread.h>
#endif

namespace {

std::atomic<int> threadLimit{0};
constexpr size_t kStackBytes = size_t(2) << 20;

// One call's chunks, taken in turn by the caller and the helpers that join it.
struct Job {
    const std::function<void(int)>& work;
    const int chunks;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    int wanted = 0;  // helpers still welcome (the pool's lock guards it and `helpers`)
    int helpers = 0; // helpers inside

    Job(const std::function<void(int)>& w, int n) : work(w), chunks(n) {}

    // Takes chunks until none is left or the run stops; returns false once it should stop.
    bool RunOne() {
        const int i = next.fetch_add(1);
        if (i >= chunks || stop.load()) return false;
        try {
            work(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            stop = true;
            return false;
        }
        done.fetch_add(1);
        return true;
    }
};

// Threads kept for the calls to come: starting a thread costs more than many a chunk (a third
// of a millisecond on some virtual machines). They wait for work until the process ends.
class Pool {
  public:
    // Offers the job to up to `helpers` threads, starting threads as needed.
    void Post(Job& job, int helpers) {
        std::unique_lock<std::mutex> lock(lock_);
        job.wanted = helpers;
        jobs_.push_back(&job);
        // Short of threads, the ones there and the caller do the work.
        while (threads_ < helpers && Start()) ++threads_;
        wake_.notify_all();
    }
    // Takes the job back; `report` runs every 2 ms until its helpers have left it.
    template <typename Report> void Withdraw(Job& job, Report report) {
        std::unique_lock<std::mutex> lock(lock_);
        jobs_.remove(&job);
        job.wanted = 0;
        for (;;) {
            const bool left = job.helpers == 0;
            lock.unlock();
            report();
            lock.lock();
            if (left) return;
            left_.wait_for(lock, std::chrono::milliseconds(2), [&] { return job.helpers == 0; });
        }
    }

  private:
    // Starts a thread that serves the pool; false when none is to be had. Chunks need little
    // stack, and the threads stay, so they get less than the system's 8 MB.
    bool Start() {
#ifdef __unix__
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstacksize(&attr, kStackBytes);
        pthread_t thread;
        const int failed = pthread_create(
            &thread, &attr,
            [](void* pool) -> void* {
                static_cast<Pool*>(pool)->Serve();
                return nullptr;
            },
            this);
        pthread_attr_destroy(&attr);
        if (failed) return false;
        pthread_detach(thread);
        return true;
#else
        try {
            std::thread([this] { Serve(); }).detach();
            return true;
        } catch (...) {
            return false;
        }
#endif
    }

    void Serve() {
        std::unique_lock<std::mutex> lock(lock_);
        for (;;) {
            const auto it = std::find_if(jobs_.begin(), jobs_.end(),
                                         [](const Job* j) { return j->wanted > 0; });
            if (it == jobs_.end()) {
                wake_.wait(lock);
                continue;
            }
            Job& job = **it;
            --job.wanted;
            ++job.helpers;
            lock.unlock();
            ClearUpperVectorState();
            while (job.RunOne()) {
            }
            lock.lock();
            if (--job.helpers == 0) left_.notify_all();
        }
    }

    std::mutex lock_;
    std::condition_variable wake_, left_;
    std::list<Job*> jobs_;
    int threads_ = 0;
};

// Never destroyed: its threads may still wait on it while the process ends.
Pool* pool = nullptr;
std::once_flag poolMade;

Pool& ThePool() {
    std::call_once(poolMade, [] {
        pool = new Pool;
#ifdef __unix__
        // A forked child has none of the threads: it starts a pool of its own.
        pthread_atfork(nullptr, nullptr, [] { pool = new Pool; });
#endif
    });
    return *pool;
}

} // namespace

int ThreadLimit() {
    const int limit = threadLimit.load();
    if (limit > 0) return limit;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void SetThreadLimit(int threads) {
    threadLimit.store(std::max(threads, 0));
}

bool ParallelChunks(int chunks, const std::function<void(int)>& work,
                    const std::function<bool(int)>& step, int threads) {
    if (chunks <= 0) return true;
    // A caller fresh from Qt's drawing would slow every chunk's vector code, and threads it
    // starts inherit that state.
    ClearUpperVectorState();
    if (threads <= 0) threads = ThreadLimit();
    threads = std::clamp(threads, 1, chunks);

    Job job(work, chunks);
    bool stopped = false;
    auto report = [&] {
        if (stopped || !step) return;
        if (!step(job.done.load())) {
            stopped = true;
            job.stop = true;
        }
    };
    if (threads == 1) {
        while (job.RunOne()) report();
        report();
    } else {
        Pool& helpers = ThePool();
        helpers.Post(job, threads - 1);
        while (job.RunOne()) report();
        // The helpers may still be at their last chunks: keep the display alive until they
        // leave, and show the final count.
        helpers.Withdraw(job, report);
    }
    if (job.failure) std::rethrow_exception(job.failure);
    return !stopped && job.done.load() == chunks;
}
