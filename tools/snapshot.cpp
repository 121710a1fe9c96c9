// Renders one frame of a level off-screen and writes it as an image, for
// looking at levels and renderers by eye:
//
//   snapshot <level file> <image.png> [--renderer NAME] [--size WxH]
//            [--seconds S] [--solve] [--camera X,Y,Z --look-at X,Y,Z]
//            [--full-passes]
//
// The level runs for S seconds of simulation first (0: as loaded); --solve
// places the stored solution of the campaign level of that name before. The
// camera frames the game field as a level start does unless one is given.
// --full-passes draws the Shader Renderer's full passes even on a software
// rasteriser, to compare its shortcuts with what a graphics card shows.
// Needs an X display (xvfb-run is fine).
#include "foundation/Class_registry.h"
#include "foundation/Data_config.h"
#include "rendering/Level_view.h"
#include "rendering/Scene_renderers.h"
#include "simulation/Core.h"
#include "tools/campaign/Campaign.h"

#include <QApplication>
#include <QFileInfo>
#include <QGLFramebufferObject>
#include <QGLWidget>
#include <QImage>

#include <GL/gl.h>

#include <iostream>
#include <memory>
#include <string>

namespace
{

struct Options
{
    std::string level_file;
    QString image_file;
    std::string renderer = "Shader Renderer";
    QSize size{1280, 720};
    float seconds = 0.f;
    bool solve = false;
    bool full_passes = false;
    bool camera_given = false;
    qglviewer::Vec camera;
    qglviewer::Vec look_at;
};

bool read_vector(char const* text, qglviewer::Vec& vector)
{
    QStringList const parts = QString(text).split(',');
    if (parts.size() != 3) return false;
    bool ok[3];
    vector = qglviewer::Vec(parts[0].toDouble(&ok[0]), parts[1].toDouble(&ok[1]), parts[2].toDouble(&ok[2]));
    return ok[0] && ok[1] && ok[2];
}

bool read_options(int argc, char** argv, Options& options)
{
    if (argc < 3) return false;
    options.level_file = argv[1];
    options.image_file = argv[2];
    for (int i = 3; i < argc; ++i)
    {
        std::string const flag = argv[i];
        bool const has_value = i + 1 < argc;
        if (flag == "--solve")
            options.solve = true;
        else if (flag == "--full-passes")
            options.full_passes = true;
        else if (flag == "--renderer" && has_value)
            options.renderer = argv[++i];
        else if (flag == "--seconds" && has_value)
            options.seconds = std::stof(argv[++i]);
        else if (flag == "--size" && has_value)
        {
            QStringList const parts = QString(argv[++i]).split('x');
            if (parts.size() != 2) return false;
            options.size = QSize(parts[0].toInt(), parts[1].toInt());
            if (options.size.isEmpty()) return false;
        }
        else if (flag == "--camera" && has_value)
        {
            if (!read_vector(argv[++i], options.camera)) return false;
            options.camera_given = true;
        }
        else if (flag == "--look-at" && has_value)
        {
            if (!read_vector(argv[++i], options.look_at)) return false;
        }
        else
            return false;
    }
    return true;
}

// Runs the level as a player would: started, the stored solution placed when
// asked, then the given seconds of simulation in the steps the tests use.
void play(Core& core, Options const& options)
{
    core.load_level(options.level_file);
    if (options.seconds <= 0.f && !options.solve) return;
    core.start_level();
    if (options.solve)
    {
        std::string const name = QFileInfo(QString::fromStdString(options.level_file)).completeBaseName().toStdString();
        for (Campaign_level const& level : campaign())
            if (level.name == name && level.solve) level.solve(core.get_level_data());
    }
    float const step = 1.f / 64.f;
    while (core.get_current_time() < options.seconds) core.update(step);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!read_options(argc, argv, options))
    {
        std::cerr << "usage: snapshot <level file> <image.png> [--renderer NAME] [--size WxH] [--seconds S] "
                     "[--solve] [--camera X,Y,Z --look-at X,Y,Z] [--full-passes]"
                  << std::endl;
        return 2;
    }

    QApplication application(argc, argv);
    Data_config::set_application_directory(SOURCE_DIR);
    QGLWidget widget;
    widget.makeCurrent();
    if (!widget.isValid())
    {
        std::cerr << "snapshot: no OpenGL context (run it under an X display)" << std::endl;
        return 1;
    }

    Core core;
    play(core, options);
    Level_data& level = core.get_level_data();

    std::unique_ptr<World_renderer> renderer(Class_registry<World_renderer>::instance().create(options.renderer));
    if (!renderer)
    {
        std::cerr << "snapshot: no renderer named " << options.renderer << std::endl;
        return 2;
    }
    renderer->set_parameters(Class_registry<World_renderer>::instance().get_default_parameters(options.renderer));
    renderer->init(widget.context(), options.size);
    if (auto* shader_renderer = dynamic_cast<Shader_renderer*>(renderer.get()); shader_renderer && options.full_passes)
        shader_renderer->set_software_shortcuts({});
    renderer->load_texture(level);

    Fixed_clip_camera camera;
    camera.setScreenWidthAndHeight(options.size.width(), options.size.height());
    if (options.camera_given)
    {
        camera.setUpVector(qglviewer::Vec(0.0, 0.0, 1.0));
        camera.setPosition(options.camera);
        camera.lookAt(options.look_at);
    }
    else
    {
        frame_game_field(camera, level);
    }

    QGLFramebufferObject target(options.size, QGLFramebufferObject::CombinedDepthStencil);
    target.bind();
    glViewport(0, 0, options.size.width(), options.size.height());
    glClearColor(0.14f, 0.16f, 0.2f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.loadProjectionMatrix();
    camera.loadModelViewMatrix();
    renderer->render(&target, level, core.get_current_time(), &camera);

    QImage const image = target.toImage();
    target.release();
    if (!image.save(options.image_file))
    {
        std::cerr << "snapshot: cannot write " << options.image_file.toStdString() << std::endl;
        return 1;
    }
    std::cout << "snapshot: " << level._molecules.size() << " molecules at " << core.get_current_time() << " s -> "
              << options.image_file.toStdString() << std::endl;
    return 0;
}
