#include "bench/Benchmark_main.h"
#include "bench/Water_grid.h"
#include "rendering/Level_view.h"
#include "rendering/Scene_renderers.h"
#include "simulation/Level_data.h"
#include "simulation/Molecule_factory.h"

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

// One frame as the play screen draws it: the default level with `count` water
// molecules, framed as at the start of a level, into a target with depth.
void run(benchmark::State& state, std::string const& renderer_name)
{
    if (!gl_widget || !gl_widget->isValid())
    {
        state.SkipWithError("no OpenGL context (run under an X display)");
        return;
    }
    gl_widget->makeCurrent();

    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    Level_data level;
    level.reset();
    int const count = int(state.range(0));
    for (int i = 0; i < count; ++i) level._molecules.push_back(create_molecule("H2O", water_grid_place(i)));

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
    state.counters["molecules"] = count;
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    target.release();
    renderer.reset();
    std::cout.rdbuf(out);
}

void shader_renderer(benchmark::State& state) { run(state, "Shader Renderer"); }
void editor_renderer(benchmark::State& state) { run(state, "Editor Renderer"); }

} // namespace

BENCHMARK(shader_renderer)->Arg(0)->Arg(100)->Arg(500)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(editor_renderer)->Arg(0)->Arg(100)->Arg(500)->Arg(1355)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return run_benchmarks(argc, argv, gl_widget);
}
