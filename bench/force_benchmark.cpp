#include "bench/Benchmark_main.h"
#include "simulation/Cpu_force.h"
#include "simulation/GPU_force.h"
#include "simulation/Molecule_factory.h"

#include <benchmark/benchmark.h>

#include <QGLWidget>
#include <QOpenGLContext>

#include <list>
#include <memory>
#include <random>

namespace
{

Eigen::Vector2f const field(80.f, 40.f);

// Sodium and chloride ions, one atom each, scattered over a default-sized field.
std::list<Molecule> ions(int count)
{
    std::mt19937 generator(1);
    std::uniform_real_distribution<float> unit(-0.5f, 0.5f);
    std::list<Molecule> molecules;
    for (int i = 0; i < count; ++i)
    {
        Eigen::Vector3f const position(unit(generator) * 80.f, unit(generator) * 40.f, unit(generator) * 40.f);
        molecules.push_back(i % 2 ? create_na_molecule(position) : create_cl_molecule(position));
        molecules.back().set_id(i);
    }
    return molecules;
}

Frame_buffer<float> warm_grid()
{
    Frame_buffer<float> grid(32, 32);
    for (int i = 0; i < grid.get_count(); ++i) grid.set_pixel(i, 20.f);
    return grid;
}

template <class Force> void run(benchmark::State& state, Force& force)
{
    int const atoms = int(state.range(0));
    std::list<Molecule> const molecules = ions(atoms);
    force.set_temperature(warm_grid());
    float time = 0.f;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(force.calc_forces(molecules, 1.f, 0.1f, 1.4f, time, field));
        time += 0.01f;
    }
    state.counters["pairs/s"] =
        benchmark::Counter(double(atoms) * double(atoms) * double(state.iterations()), benchmark::Counter::kIsRate);
}

QGLWidget* gl_widget = nullptr;

void cpu_calc_forces(benchmark::State& state)
{
    Cpu_force force;
    run(state, force);
}

void gpu_calc_forces(benchmark::State& state)
{
    if (!gl_widget || !gl_widget->isValid())
    {
        state.SkipWithError("no OpenGL context (run under an X display)");
        return;
    }
    gl_widget->makeCurrent();
    GPU_force force(32);
    run(state, force);
}

} // namespace

BENCHMARK(cpu_calc_forces)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4066)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(gpu_calc_forces)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4066)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return run_benchmarks(argc, argv, gl_widget);
}
