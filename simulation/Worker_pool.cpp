#include "simulation/Worker_pool.h"

#include <system_error>

Worker_pool::Worker_pool(int thread_count)
{
    try
    {
        for (int i = 1; i < thread_count; ++i) _workers.emplace_back(&Worker_pool::work, this);
    }
    catch (std::system_error const&)
    {
        // No more threads to be had: the ones started and the caller do the work.
    }
}

Worker_pool::~Worker_pool()
{
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _stopping = true;
    }
    _work_ready.notify_all();
    for (std::thread& worker : _workers) worker.join();
}

void Worker_pool::run(int unit_count, std::function<void(int)> const& job)
{
    if (unit_count <= 0) return;
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _job = &job;
        _unit_count = unit_count;
        _next_unit.store(0, std::memory_order_relaxed);
        _busy_workers = int(_workers.size());
        ++_generation;
    }
    if (!_workers.empty()) _work_ready.notify_all();

    take_units();

    std::unique_lock<std::mutex> lock(_mutex);
    _work_done.wait(lock, [this] { return _busy_workers == 0; });
    _job = nullptr;
}

void Worker_pool::take_units()
{
    for (int unit = _next_unit.fetch_add(1, std::memory_order_relaxed); unit < _unit_count;
         unit = _next_unit.fetch_add(1, std::memory_order_relaxed))
        (*_job)(unit);
}

void Worker_pool::work()
{
    long seen = 0;
    for (;;)
    {
        {
            std::unique_lock<std::mutex> lock(_mutex);
            _work_ready.wait(lock, [&] { return _stopping || _generation != seen; });
            if (_stopping) return;
            seen = _generation;
        }

        take_units();

        bool last;
        {
            std::lock_guard<std::mutex> lock(_mutex);
            last = --_busy_workers == 0;
        }
        if (last) _work_done.notify_one();
    }
}
