#ifndef BENCH_BENCHMARK_MAIN_H
#define BENCH_BENCHMARK_MAIN_H

class QGLWidget;

// Runs the registered benchmarks with a copy of the game's data tree, in a
// scratch working directory, and, under an X display, a current OpenGL context
// whose widget `gl_widget` points to (null without one).
int run_benchmarks(int argc, char** argv, QGLWidget*& gl_widget);

#endif
