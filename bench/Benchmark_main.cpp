#include "bench/Benchmark_main.h"

#include "foundation/Data_config.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGLWidget>

#include <memory>

int run_benchmarks(int argc, char** argv, QGLWidget*& gl_widget)
{
    QApplication application(argc, argv);
    Data_config::set_application_directory(SOURCE_DIR);
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
