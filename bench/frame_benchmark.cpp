#include "bench/Benchmark_main.h"
#include "bench/Water_grid.h"
#include "rendering/Level_view.h"
#include "rendering/Scene_renderers.h"
#include "simulation/Level_data.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "tools/campaign/Campaign.h"

#include <benchmark/benchmark.h>

#include <QGLFramebufferObject>
#include <QGLWidget>

#include <GL/gl.h>

#include <iostream>
#include <memory>
#include <sstream>

namespace
{

QGLWidget* gl_widget = nullptr;
QSize const frame_size(1280, 720);

// Frames of the level as the play screen draws them, framed as at the start of
// a level, into a target with depth.
void time_frames(benchmark::State& state, std::string const& renderer_name, Level_data& level)
{
    std::unique_ptr<World_renderer> renderer(Class_registry<World_renderer>::instance().create(renderer_name));
    renderer->set_parameters(Class_registry<World_renderer>::instance().get_default_parameters(renderer_name));
    renderer->init(gl_widget->context(), frame_size);
    renderer->load_texture(level);
    QGLFramebufferObject target(frame_size, QGLFramebufferObject::CombinedDepthStencil);

    Fixed_clip_camera camera;
    camera.setScreenWidthAndHeight(frame_size.width(), frame_size.height());
    frame_game_field(camera, level);
    target.bind();
    glViewport(0, 0, frame_size.width(), frame_size.height());
    camera.loadProjectionMatrix();
    camera.loadModelViewMatrix();

    float time = 0.f;
    for (auto _ : state)
    {
        renderer->render(&target, level, time, &camera);
        glFinish();
        time += 1.f / 60.f;
    }
    state.counters["molecules"] = double(level._molecules.size());
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    target.release();
}

bool have_context(benchmark::State& state)
{
    if (gl_widget && gl_widget->isValid())
    {
        gl_widget->makeCurrent();
        return true;
    }
    state.SkipWithError("no OpenGL context (run under an X display)");
    return false;
}

// The default level with `count` water molecules on a grid.
void run(benchmark::State& state, std::string const& renderer_name)
{
    if (!have_context(state)) return;
    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    Level_data level;
    level.reset();
    for (int i = 0; i < int(state.range(0)); ++i)
        level._molecules.push_back(create_molecule("H2O", water_grid_place(i)));
    time_frames(state, renderer_name, level);
    std::cout.rdbuf(out);
}

// A campaign level as a player sees it half way: started, its stored solution
// placed, and run for half its score time (or until won, when it is emptied).
// The second argument picks the renderer: 0 the game's, 1 the editor's.
void run_campaign_level(benchmark::State& state)
{
    if (!have_context(state)) return;
    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    Core core;
    int const index = int(state.range(0));
    core.load_level(index);
    core.start_level();
    Campaign_level const& level = campaign().at(size_t(index));
    if (level.solve) level.solve(core.get_level_data());
    float const until = core.get_level_data()._score_time_factor / 2.f;
    while (core.get_current_time() < until && core.get_game_state() != Core::Finished) core.update(1.f / 64.f);
    std::string const renderer = state.range(1) == 0 ? "Shader Renderer" : "Editor Renderer";
    state.SetLabel(level.name + ", " + renderer);
    time_frames(state, renderer, core.get_level_data());
    std::cout.rdbuf(out);
}

void shader_renderer(benchmark::State& state)
{
    run(state, "Shader Renderer");
}
void editor_renderer(benchmark::State& state)
{
    run(state, "Editor Renderer");
}

} // namespace

BENCHMARK(shader_renderer)->Arg(0)->Arg(100)->Arg(500)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(editor_renderer)->Arg(0)->Arg(100)->Arg(500)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(run_campaign_level)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 10, 1), {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return run_benchmarks(argc, argv, gl_widget);
}
