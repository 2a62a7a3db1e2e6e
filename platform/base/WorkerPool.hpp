#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace ambiscan {

// The run's worker threads, one per core, started once: figures are drawn and encoded and the
// evidence is computed on them. Tasks run in the order given, each on the first worker free;
// a task learns which worker runs it, so that memory it reuses (a canvas, a line raster) can
// be kept per worker and touched by no other thread.
class WorkerPool {
  public:
    // `workers` threads; none is a valid pool whose tasks run on the thread that waits for them.
    // Raises std::system_error when the system cannot start them all.
    explicit WorkerPool(std::size_t workers = coreCount());
    // Runs what is queued, then ends the threads.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The cores the system offers, at least one.
    static std::size_t coreCount();
    std::size_t size() const { return threads_.size(); }

    // Runs task(worker) on a worker, `worker` from 0 to size() - 1; the future holds what it
    // returns or raises.
    template <class Task>
    auto submit(Task task) -> std::future<std::invoke_result_t<Task, std::size_t>> {
        using Result = std::invoke_result_t<Task, std::size_t>;
        auto job = std::make_shared<std::packaged_task<Result(std::size_t)>>(std::move(task));
        std::future<Result> result = job->get_future();
        if (threads_.empty()) {
            (*job)(0);
            return result;
        }
        enqueue([job](std::size_t worker) { (*job)(worker); });
        return result;
    }

    // body(i) for every i below `count`, shared between the workers that are free and the
    // calling thread, which takes part: so it may be called from a task of the pool itself.
    // Returns when every call has returned; raises the first failure.
    void forEach(std::size_t count, const std::function<void(std::size_t)>& body);

  private:
    void enqueue(std::function<void(std::size_t)> job);
    void work(std::size_t worker);
    void stop();  // runs what is queued, then ends the threads

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(std::size_t)>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;  // last: they use the members above
};

}  // namespace ambiscan
