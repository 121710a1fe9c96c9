#include "bench/Benchmark_main.h"
#include "bench/Water_grid.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"

#include <benchmark/benchmark.h>

#include <QGLWidget>
#include <QOpenGLContext>

#include <iostream>
#include <memory>
#include <sstream>

namespace
{

QGLWidget* gl_widget = nullptr;

// A running default level, warmed a little, with `count` water molecules on a
// grid 2.5 apart.
std::unique_ptr<Core> core_with_water(int count, bool midpoint, bool gpu)
{
    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    auto core = std::make_unique<Core>();
    core->reset_level_data();
    Parameter& temperature = *core->get_level_data().get_parameters()["Temperature"];
    temperature.set_value_no_update(10.f);
    temperature._callback();
    core->get_parameters()["Use midpoint"]->set_value_no_update(midpoint);
    if (gpu)
    {
        core->gl_init(QOpenGLContext::currentContext());
        core->set_gpu_forces_enabled(true);
    }
    core->start_level();
    for (int i = 0; i < count; ++i) core->add_molecule(create_molecule("H2O", water_grid_place(i)));
    std::cout.rdbuf(out);
    return core;
}

void run(benchmark::State& state, bool midpoint, bool gpu)
{
    if (gpu && (!gl_widget || !gl_widget->isValid()))
    {
        state.SkipWithError("no OpenGL context (run under an X display)");
        return;
    }
    if (gl_widget) gl_widget->makeCurrent();
    int const count = int(state.range(0));
    auto core = core_with_water(count, midpoint, gpu);
    for (auto _ : state) core->update(0.01f);
    state.counters["molecules"] = count;
}

void cpu_plain(benchmark::State& state)
{
    run(state, false, false);
}
void cpu_midpoint(benchmark::State& state)
{
    run(state, true, false);
}
void gpu_plain(benchmark::State& state)
{
    run(state, false, true);
}
void gpu_midpoint(benchmark::State& state)
{
    run(state, true, true);
}

} // namespace

BENCHMARK(cpu_plain)->Arg(100)->Arg(500)->Arg(1000)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(cpu_midpoint)->Arg(100)->Arg(500)->Arg(1000)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(gpu_plain)->Arg(100)->Arg(500)->Arg(1000)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(gpu_midpoint)->Arg(100)->Arg(500)->Arg(1000)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return run_benchmarks(argc, argv, gl_widget);
}
