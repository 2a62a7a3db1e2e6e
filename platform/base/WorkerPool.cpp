#include "platform/base/WorkerPool.hpp"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <exception>

namespace ambiscan {

WorkerPool::WorkerPool(std::size_t workers) {
    threads_.reserve(workers);
    try {
        for (std::size_t k = 0; k < workers; ++k) {
            threads_.emplace_back([this, k] { work(k); });
        }
    } catch (...) {
        // A thread the system refuses (no memory for its stack): the ones started end first.
        stop();
        throw;
    }
}

WorkerPool::~WorkerPool() {
    stop();
}

void WorkerPool::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) {
        t.join();
    }
    threads_.clear();
}

std::size_t WorkerPool::coreCount() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void WorkerPool::enqueue(std::function<void(std::size_t)> job) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void WorkerPool::work(std::size_t worker) {
    // The stop signals are the main thread's: a watched run holds them back there and takes
    // them in turn, which works only if no worker can take them first.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    for (;;) {
        std::function<void(std::size_t)> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) {
                return;  // stopping, and nothing is left to run
            }
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job(worker);  // a packaged task: what it raises lands in its future
    }
}

namespace {

// The calls of one forEach: handed out by a counter to whoever asks, the caller included.
struct SharedLoop {
    std::size_t count = 0;
    const std::function<void(std::size_t)>* body = nullptr;
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable done;
    std::size_t helping = 0;  // workers between their first and last call
    std::exception_ptr failure;

    void run() {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                (*body)(i);
            } catch (...) {
                const std::lock_guard lock(mutex);
                if (!failure) {
                    failure = std::current_exception();
                }
            }
        }
    }
};

}  // namespace

void WorkerPool::forEach(std::size_t count, const std::function<void(std::size_t)>& body) {
    auto loop = std::make_shared<SharedLoop>();
    loop->count = count;
    loop->body = &body;
    // A helper that a worker reaches only once every call is handed out does nothing: the body
    // may be gone by then, and it is never touched.
    const std::size_t helpers = std::min(count, size() + 1) - std::min<std::size_t>(count, 1);
    for (std::size_t k = 0; k < helpers; ++k) {
        enqueue([loop](std::size_t) {
            {
                const std::lock_guard lock(loop->mutex);
                if (loop->next >= loop->count) {
                    return;
                }
                ++loop->helping;
            }
            loop->run();
            const std::lock_guard lock(loop->mutex);
            --loop->helping;
            loop->done.notify_all();
        });
    }
    loop->run();
    std::unique_lock lock(loop->mutex);
    loop->done.wait(lock, [&] { return loop->helping == 0; });
    if (loop->failure) {
        std::rethrow_exception(loop->failure);
    }
}

}  // namespace ambiscan
