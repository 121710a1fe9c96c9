#ifndef SIMULATION_WORKER_POOL_H
#define SIMULATION_WORKER_POOL_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads that wait between calls instead of being started for each one, and
// are joined when the pool goes. A call hands out numbered work units; the
// calling thread takes units too, so a pool of n threads starts n - 1. Which
// thread runs a unit is left to chance, so a unit must write only what is its
// own.
class Worker_pool
{
public:
    explicit Worker_pool(int thread_count);
    ~Worker_pool();

    Worker_pool(Worker_pool const&) = delete;
    Worker_pool& operator=(Worker_pool const&) = delete;

    // Runs job(unit) once for every unit in [0, unit_count) and returns when all
    // have run. Units are handed out in rising order.
    void run(int unit_count, std::function<void(int)> const& job);

    // The threads started, the caller's not counted: fewer than asked when the
    // system would give no more.
    int get_worker_count() const { return int(_workers.size()); }

private:
    void work();
    void take_units();

    std::vector<std::thread> _workers;

    std::mutex _mutex;
    std::condition_variable _work_ready;
    std::condition_variable _work_done;
    long _generation = 0;  // rises with every call: a worker's cue
    int _busy_workers = 0; // workers still on the current call
    bool _stopping = false;

    std::function<void(int)> const* _job = nullptr;
    int _unit_count = 0;
    std::atomic<int> _next_unit{0};
};

#endif
