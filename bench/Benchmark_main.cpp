#include "bench/Benchmark_main.h"

#include "support/Scratch_data_tree.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QGLWidget>

#include <memory>

int run_benchmarks(int argc, char** argv, QGLWidget*& gl_widget)
{
    QApplication application(argc, argv);
    // A level won here saves its score: into a copy of data/, never over the
    // player's progress, and the log and saved levels beside it.
    Scratch_data_tree data;
    data.copy_all_from_game();
    QDir::setCurrent(QDir(data.data_directory() + "/..").absolutePath());
    std::unique_ptr<QGLWidget> widget;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
    {
        widget = std::make_unique<QGLWidget>();
        widget->makeCurrent();
        gl_widget = widget.get();
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gl_widget = nullptr;
    return 0;
}
