#include "simulation/Worker_pool.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <thread>
#include <vector>

namespace
{

int threads_of_this_process()
{
    int count = 0;
    DIR* const tasks = opendir("/proc/self/task");
    if (!tasks) return -1;
    while (dirent const* entry = readdir(tasks)) count += entry->d_name[0] != '.';
    closedir(tasks);
    return count;
}

} // namespace

TEST(Worker_pool, runs_every_unit_once_a_call_and_its_threads_end_with_it)
{
    // A sanitizer's runtime starts a thread of its own with the first thread
    // of the process; let it come before counting.
    std::thread([] {}).join();
    int const threads_before = threads_of_this_process();
    for (int thread_count : {1, 2, 3, 8})
    {
        {
            Worker_pool pool(thread_count);
            EXPECT_EQ(thread_count - 1, pool.get_worker_count());
            EXPECT_EQ(threads_before + thread_count - 1, threads_of_this_process());

            // Each unit writes only its own slot, as the pool requires.
            std::vector<int> runs;
            for (int unit_count : {0, 1, 7, 8, 9, 65, 3, 200})
            {
                runs.assign(unit_count, 0);
                for (int call = 0; call < 20; ++call) pool.run(unit_count, [&](int unit) { ++runs[unit]; });
                for (int unit = 0; unit < unit_count; ++unit)
                    EXPECT_EQ(20, runs[unit]) << thread_count << " threads, unit " << unit << " of " << unit_count;
            }
        }
        EXPECT_EQ(threads_before, threads_of_this_process()) << thread_count << " threads";
    }
}
