#include "screens/play/Main_game_screen.h"

#include "app/Handler_guard.h"
#include "app/My_viewer.h"
#include "foundation/Class_registry.h"
#include "foundation/Data_config.h"
#include "foundation/Main_options_window.h"
#include "gl/GL_utilities.h"
#include "gl/Particle_drawing.h"
#include "gl/Software_rasteriser.h"
#include "rendering/Scene_renderers.h"
#include "rendering/Target_size.h"
#include "screens/Screen_flow.h"
#include "screens/help/Tutorial_steps.h"
#include "screens/play/Toolbar_layout.h"
#include "simulation/Core.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_event.h"
#include "widgets/Draggable_label.h"

#include <QApplication>
#include <QGLFramebufferObject>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QGLShaderProgram>
#include <QKeyEvent>

#include <GL/gl.h>

#include <iostream>

namespace
{

char const* const options_name = "Main_game_screen";

QString data_file(QString const& relative)
{
    return Data_config::instance()->find_in_data_paths_qstring(relative);
}

QGLShaderProgram* load_program(char const* vertex, char const* fragment)
{
    return init_program(QGLContext::currentContext(), data_file(vertex), data_file(fragment));
}

GLuint create_color_target(QOpenGLFunctions_3_3_Core& gl, QSize const& size)
{
    // A software rasteriser moves bytes faster than floats, and what the
    // targets hold goes to an 8-bit window anyway.
    GLint const format = is_software_rasteriser() ? GL_RGBA8 : GL_RGBA32F;
    return create_texture(gl, size.width(), size.height(), nullptr, format, GL_RGBA, GL_FLOAT, GL_NEAREST, GL_REPEAT);
}

} // namespace

Main_game_screen::Main_game_screen(My_viewer* viewer, Core* core, int mode)
    : Screen(viewer), core(core), _ui_renderer(&viewer->get_ui_renderer()), _mode(mode), _sphere(2)
{
    std::cout << "Main_game_screen::Main_game_screen" << std::endl;
    flags = Covers_below;

    // In the order of Handle_icon.
    std::array<char const*, Handle_icon_count> const icon_files{"textures/rotate.png", "textures/scale.png",
                                                                "textures/move.png", "textures/slider.png",
                                                                "textures/handle_settings.png"};
    for (size_t i = 0; i < _icon_textures.size(); ++i)
        _icon_textures[i].reset(create_texture_from_file(*this, data_file(icon_files[i]), true));

    create_targets(target_size(QSize(viewer->camera()->screenWidth(), viewer->camera()->screenHeight())));
    _copy_program.reset(load_program("shaders/fullscreen_square.vert", "shaders/simple_texture.frag"));
    _blur_program.reset(load_program("shaders/fullscreen_square.vert", "shaders/blur_1D.frag"));
    _drop_shadow_program.reset(load_program("shaders/temperature.vert", "shaders/drop_shadow.frag"));

    build_parameters();

    connect(core, &Core::level_changed, this, &Main_game_screen::handle_level_change);
    connect(core, &Core::game_state_changed, this, &Main_game_screen::handle_game_state_change);

    init_hud();
}

Main_game_screen::~Main_game_screen()
{
    std::cout << "Main_game_screen::~Main_game_screen" << std::endl;
    // The next play screen may already have put its own list up under the same name.
    Main_options_window::instance()->remove_parameter_list(options_name, _options_box);
    restore_cursor();
    // Targets, programs and textures go in the window's context.
    viewer->makeCurrent();
}

void Main_game_screen::build_parameters()
{
    auto keep = [this](Parameter* parameter) {
        _owned_parameters.parameters.emplace_back(parameter);
        return parameter;
    };

    std::vector<std::string> const object_types{"O2",
                                                "H2O",
                                                "SDS",
                                                "Na",
                                                "Cl",
                                                "Dipole",
                                                "Box_barrier",
                                                "Brownian_box",
                                                "Box_portal",
                                                "Sphere_portal",
                                                "Molecule_releaser",
                                                "Charged_barrier",
                                                "Tractor_barrier"};
    _parameters.add(keep(new Parameter("Object Type", 0, object_types)));

    Class_registry<World_renderer>& registry = Class_registry<World_renderer>::instance();
    std::vector<std::string> const renderer_names = registry.get_names();
    Parameter_list* renderers = _parameters.add_child("Renderer", Parameter_list::Single_select);
    _owned_parameters.lists.emplace_back(renderers);
    // Switched from the options window: a renderer that cannot load must not take the window with it.
    Parameter* type = keep(new Parameter("type", 0, renderer_names, [this] {
        run_guarded("Main_game_screen::change_renderer", [this] { change_renderer(); });
    }));
    renderers->add(type);
    for (std::string const& name : renderer_names)
    {
        Parameter_list* defaults = renderers->add_child(name);
        _owned_parameters.lists.emplace_back(defaults);
        for (Parameter const* parameter : registry.get_default_parameters(name).get_sorted_parameters())
            defaults->add(keep(new Parameter(*parameter)));
    }

    if (!renderer_names.empty()) type->set_value_no_update(std::string("Shader Renderer"));
    change_renderer();
    _options_box = Main_options_window::instance()->add_parameter_list(options_name, _parameters);
}

void Main_game_screen::change_renderer()
{
    // Also run from the options window, where another context is current.
    viewer->makeCurrent();
    Parameter_list* renderers = _parameters.get_child_helper("Renderer");
    Parameter* type = renderers ? (*renderers)["type"] : nullptr;
    std::string const name = type && !type->_value_list.empty() ? type->get_value<std::string>() : std::string();

    std::unique_ptr<World_renderer> renderer(Class_registry<World_renderer>::instance().create(name));
    if (!renderer)
    {
        std::cout << "Main_game_screen::change_renderer no renderer called \"" << name << "\"" << std::endl;
        _renderer.reset();
        return;
    }
    if (Parameter_list* settings = renderers->get_child_helper(name)) renderer->set_parameters(*settings);
    _renderer = std::move(renderer);
    _renderer->init(QGLContext::currentContext(),
                    target_size(QSize(viewer->camera()->screenWidth(), viewer->camera()->screenHeight())));
    _renderer->load_texture(core->get_level_data());
}

void Main_game_screen::change_game_speed()
{
    Parameter* speed = core->get_parameters()["physics_speed"];
    speed->set_value_no_update(next_game_speed(speed->get_value<float>()));
    if (speed->_callback) speed->_callback();
}

void Main_game_screen::create_targets(QSize const& size)
{
    _scene_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::Depth);
    for (Texture_handle& target : _color_targets) target.reset(create_color_target(*this, size));
}

QSize Main_game_screen::target_size(QSize const& window)
{
    // Targets that followed a huge window would take gigabytes: past the cap
    // the scene is drawn smaller and scaled up to the window.
    return capped_target_size(window, largest_target_side(*this));
}

void Main_game_screen::resize(QSize const& size)
{
    _still_picture.reset();
    QSize const target = target_size(size);
    if (_renderer) _renderer->resize(target);
    create_targets(target);
    fit_widgets_to_window();
}

void Main_game_screen::fit_widgets_to_window()
{
    repaint_hud();
    fit_toolbar_to_window();
}

void Main_game_screen::update(float dt)
{
    for (auto const& label : _shadowed_labels) label->animate(dt);
    float const now = core->get_current_time();
    for (auto const& animation : _animations) animation->update(now, dt);
    forget_finished_popups(now);
    update_hud();
}

void Main_game_screen::process_events()
{
    if (state == Shown) Screen::process_events();
}

void Main_game_screen::draw()
{
    if (state != Shown && state != Hidden && state != Fading_in && state != Fading_out) return;
    bool const blurred = state != Shown;
    // Behind a menu the clock and the camera mostly stand still: the scene in
    // target 0 is still right, and only the blur, whose strength follows the
    // fade, is drawn again; hidden, not even that.
    bool const scene_holds = blurred && still_picture_holds();
    if (state == Hidden && scene_holds)
    {
        copy_to_window(_scene_target->texture());
        return;
    }
    if (scene_holds)
        glDisable(GL_DEPTH_TEST);
    else
        draw_scene();

    if (!blurred)
    {
        copy_to_window(_color_targets[0].get());
        return;
    }
    blur(blur_strength(state, progress, _scene_target->width()));
    _still_picture = current_view();
    copy_to_window(_scene_target->texture());
}

void Main_game_screen::draw_scene()
{
    _still_picture.reset();
    set_point_parameters(true);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    _scene_target->bind();
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, _color_targets[0].get(), 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    _scene_target->release();
    if (_renderer)
        _renderer->render(_scene_target.get(), core->get_level_data(), core->get_current_time(), viewer->camera());
    set_point_parameters(false);

    glPointSize(8.f);
    glDisable(GL_LIGHTING);
    _scene_target->bind();
    {
        Target_viewport const over_target(*this, _scene_target->size());
        draw_overlay();
    }
    _scene_target->release();
    glDisable(GL_DEPTH_TEST);
}

void Main_game_screen::copy_to_window(GLuint texture)
{
    _copy_program->bind();
    _copy_program->setUniformValue("texture", 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    draw_fullscreen_quad();
    glBindTexture(GL_TEXTURE_2D, 0);
    _copy_program->release();
}

void Main_game_screen::blur(float strength)
{
    QSize const size = _scene_target->size();
    _blur_program->bind();
    _blur_program->setUniformValue("texture", 0);
    _blur_program->setUniformValue("tex_size", QVector2D(size.width(), size.height()));
    _blur_program->setUniformValue("blur_strength", strength);

    // Across from target 0 into target 1, then up into the scene target's own
    // texture, which the float targets stand in for otherwise: target 0 keeps
    // the sharp scene for the next frame of a fade.
    GLuint const sources[2] = {_color_targets[0].get(), _color_targets[1].get()};
    GLuint const destinations[2] = {_color_targets[1].get(), _scene_target->texture()};
    // Each pass replaces its target: blended over what the target held before,
    // the see-through head-up labels would pile up frame after frame.
    GLboolean const blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    _scene_target->bind();
    Target_viewport const over_target(*this, size);
    for (int pass = 0; pass < 2; ++pass)
    {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, destinations[pass], 0);
        _blur_program->setUniformValue("direction", pass == 0 ? QVector2D(1.f, 0.f) : QVector2D(0.f, 1.f));
        glBindTexture(GL_TEXTURE_2D, sources[pass]);
        draw_fullscreen_quad();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    _scene_target->release();
    _blur_program->release();
    if (blending) glEnable(GL_BLEND);
}

Main_game_screen::Still_view Main_game_screen::current_view() const
{
    qglviewer::Frame const* camera = viewer->camera()->frame();
    return Still_view{core->get_current_time(), camera->position(), camera->orientation(), _scene_target->size()};
}

bool Main_game_screen::still_picture_holds() const
{
    if (!_still_picture || !_animations.empty()) return false;
    Still_view const now = current_view();
    Still_view const& then = *_still_picture;
    auto const same_orientation = [](qglviewer::Quaternion const& a, qglviewer::Quaternion const& b) {
        return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
    };
    return now.time == then.time && now.camera_position == then.camera_position &&
           same_orientation(now.camera_orientation, then.camera_orientation) && now.size == then.size;
}

bool Main_game_screen::keyPressEvent(QKeyEvent* event)
{
    std::cout << "Main_game_screen::keyPressEvent " << event->key() << std::endl;
    Qt::KeyboardModifiers const modifiers = event->modifiers();

    if (event->key() == Qt::Key_Escape) return answer_escape();

    if (event->key() == Qt::Key_F && (modifiers & Qt::ControlModifier) && (modifiers & Qt::ShiftModifier))
    {
        std::cout << "Main_game_screen::keyPressEvent finish forced" << std::endl;
        core->set_game_state(Core::Finished);
        return true;
    }
    return false;
}

bool Main_game_screen::answer_escape()
{
    if (state == Shown)
    {
        // Paused: hidden and blurred below the pause screen, the editor's own
        // in the editor and in a level played from it. An element half placed
        // is dropped with its cursor.
        cancel_mouse_action();
        pause_play(viewer, core, *this);
        return true;
    }
    if (state == Hidden || state == Fading_out)
    {
        show();
        return true;
    }
    return false;
}

void Main_game_screen::state_changed_event(int new_state, int old_state)
{
    std::cout << "Main_game_screen::state_changed_event " << new_state << " " << old_state << std::endl;
    if (new_state == Shown) core->set_simulation_state(true);
}

void Main_game_screen::handle_level_change(Level_state level_state)
{
    std::cout << "Main_game_screen::handle_level_change" << std::endl;
    if (state == Closing || state == Closed) return;

    run_guarded("Main_game_screen::handle_level_change", [this, level_state] {
        // The toolbar's and the HUD's textures are made in the window's context.
        viewer->makeCurrent();
        // The old elements may be gone already (a restart resets the ones that
        // stay, which deselects them): forget them without touching them.
        cancel_mouse_action();
        _selection = 0;
        _selected_element.reset();

        _level_state = level_state;
        _still_picture.reset();
        // Each level may bring a background of its own.
        if (_renderer) _renderer->load_texture(core->get_level_data());
        clear_events();
        init_hud();
        viewer->enable_camera_controls();

        if (_mode == Game_mode) queue_tutorial_events();
        // The editor keeps its own controls where the toolbar would be.
        if (core->get_game_state() == Core::Running && _mode != Editor_mode) update_element_buttons();

        rebuild_element_handles();
        rebuild_pickables();
    });
}

void Main_game_screen::queue_tutorial_events()
{
    std::string const level = core->get_level_name(core->get_current_level());
    auto const steps = tutorial_steps().find(level);
    if (steps == tutorial_steps().end()) return;
    std::cout << "Main_game_screen::handle_level_change " << level << ", adding tutorial events" << std::endl;
    if (level == "Intro 0") viewer->disable_camera_controls();
    if (steps->second)
        for (Event* event : steps->second(core, viewer, this)) add_event(event);
}

void Main_game_screen::handle_game_state_change()
{
    std::cout << "Main_game_screen::handle_game_state_change" << std::endl;
    // A screen on its way out no longer plays: the next one answers.
    if (state == Closing || state == Closed) return;

    run_guarded("Main_game_screen::handle_game_state_change", [this] {
        _still_picture.reset();
        int const game_state = core->get_game_state();
        if (game_state == Core::Running)
        {
            show();
        }
        else if (game_state == Core::Finished)
        {
            clear_events();
            cancel_mouse_action();
            show_results_over(viewer, core, *this);
        }
    });
}
