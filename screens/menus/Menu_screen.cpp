#include "screens/menus/Menu_screen.h"

#include "app/My_viewer.h"
#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "widgets/Draggable_button.h"
#include "widgets/Ui_renderer.h"

#include <QGLContext>
#include <QGLShaderProgram>
#include <QMouseEvent>
#include <QVector2D>

#include <GL/gl.h>

#include <iostream>

namespace
{

QGLShaderProgram* load_program(char const* fragment_file)
{
    Data_config const* data = Data_config::instance();
    return init_program(QGLContext::currentContext(), data->find_in_data_paths_qstring("shaders/temperature.vert"),
                        data->find_in_data_paths_qstring(fragment_file));
}

} // namespace

float menu_opacity(int state, float progress)
{
    switch (state)
    {
    case Screen::Hidden:
        return 0.f;
    case Screen::Fading_in:
        return progress;
    case Screen::Fading_out:
    case Screen::Closing:
        return 1.f - progress;
    default:
        return 1.f;
    }
}

Menu_screen::Menu_screen(My_viewer* viewer, Core* core)
    : Screen(viewer), _core(core), _ui_renderer(&viewer->get_ui_renderer()),
      _heat_program(load_program("shaders/heat.frag")), _drop_shadow_program(load_program("shaders/drop_shadow.frag"))
{
}

Menu_screen::~Menu_screen()
{
    // The labels delete their textures in the window's context.
    viewer->makeCurrent();
    _buttons.clear();
    _labels.clear();
}

void Menu_screen::add_items(std::vector<Menu_item> const& items, Menu_actions const& actions)
{
    for (Menu_item const& item : items)
    {
        if (item.kind == Menu_item::Button)
        {
            auto const action = actions.find(item.action);
            std::function<void()> const callback = action == actions.end() ? std::function<void()>() : action->second;
            _buttons.push_back(std::make_shared<Draggable_button>(item.position, item.size, item.text, callback));
        }
        else
            _labels.push_back(std::make_shared<Draggable_label>(item.position, item.size, item.text));
    }
}

bool Menu_screen::can_paint() const
{
    // Without a viewport yet the first resize paints them.
    return _ui_renderer->get_width() > 0 && _ui_renderer->get_height() > 0;
}

void Menu_screen::generate_textures()
{
    if (!can_paint()) return;
    for (auto const& button : _buttons) _ui_renderer->generate_button_texture(*button);
    for (auto const& label : _labels) _ui_renderer->generate_label_texture(*label, Qt::AlignCenter);
}

void Menu_screen::refresh_label(Draggable_label& label)
{
    if (can_paint()) _ui_renderer->generate_label_texture(label, Qt::AlignCenter);
}

void Menu_screen::resize(QSize const&)
{
    generate_textures();
}

void Menu_screen::update(float dt)
{
    _time += dt;
}

QSize Menu_screen::window_size() const
{
    return QSize(viewer->camera()->screenWidth(), viewer->camera()->screenHeight());
}

Eigen::Vector2f Menu_screen::mouse_point(QMouseEvent const& event) const
{
    QSize const size = window_size();
    return Eigen::Vector2f(float(event.x()) / float(size.width()),
                           float(size.height() - event.y()) / float(size.height()));
}

void Menu_screen::draw()
{
    if (state == Hidden) return;
    float const a = menu_opacity(state, progress);
    glColor4f(1.f, 1.f, 1.f, a);
    viewer->begin_2d_drawing();
    for (size_t i = 0; i < _buttons.size(); ++i)
    {
        Draggable_button const& button = *_buttons[i];
        if (!button.is_visible()) continue;
        if (int(i) == _hovered)
            draw_heated(button, a);
        else
            viewer->draw_button(button, false, a);
    }
    draw_labels(a);
    viewer->end_2d_drawing();
}

void Menu_screen::draw_heated(Draggable_button const& button, float alpha)
{
    QSize const size = window_size();
    _heat_program->bind();
    _heat_program->setUniformValue("scene_texture", 0);
    _heat_program->setUniformValue("repetition_ratio", button.get_size().x() / button.get_size().y());
    _heat_program->setUniformValue("alpha", alpha);
    _heat_program->setUniformValue("screen_size", QVector2D(size.width(), size.height()));
    _heat_program->setUniformValue("time", _time);
    glActiveTexture(GL_TEXTURE0);
    viewer->draw_button(button, false, alpha);
    _heat_program->release();
}

void Menu_screen::draw_labels(float alpha)
{
    QSize const size = window_size();
    _drop_shadow_program->bind();
    _drop_shadow_program->setUniformValue("texture", 0);
    _drop_shadow_program->setUniformValue("blur_size", 5.f);
    _drop_shadow_program->setUniformValue("offset", 0.004f);
    glActiveTexture(GL_TEXTURE0);
    for (auto const& label : _labels)
    {
        if (!label->is_visible()) continue;
        _drop_shadow_program->setUniformValue("overall_alpha", alpha);
        _drop_shadow_program->setUniformValue(
            "tex_size", QVector2D(size.width() * label->get_size().x(), size.height() * label->get_size().y()));
        viewer->draw_label(*label);
    }
    _drop_shadow_program->release();
}

void Menu_screen::draw_for_picking()
{
    viewer->begin_2d_drawing();
    for (size_t i = 0; i < _buttons.size(); ++i)
    {
        if (!_buttons[i]->is_visible()) continue;
        _picker.set_index_color(int(i));
        viewer->draw_button(*_buttons[i], true, 1.f);
    }
    viewer->end_2d_drawing();
}

int Menu_screen::pick_button(Eigen::Vector2f const& point)
{
    // Input reaches screens in the window's context, but a pick from anywhere
    // else must not read another context's target.
    viewer->makeCurrent();
    return _picker.pick(
        point.x(), point.y(), [this] { draw_for_picking(); }, int(_buttons.size()));
}

bool Menu_screen::mouseMoveEvent(QMouseEvent* event)
{
    int const picked = pick_button(mouse_point(*event));
    if (picked == _hovered) return false;

    bool const was_hovering = _hovered != -1;
    if (was_hovering)
    {
        std::cout << "Menu_screen::mouseMoveEvent stopped hovering" << std::endl;
        _hovered = -1;
    }
    if (picked == -1) return was_hovering;

    _hovered = picked;
    std::cout << "Menu_screen::mouseMoveEvent started hovering" << std::endl;
    return true;
}

bool Menu_screen::mousePressEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return false;
    int const picked = pick_button(mouse_point(*event));
    if (picked == -1) return false;
    // The button stays alive through its action even if the action ends this menu.
    std::shared_ptr<Draggable_button> const button = _buttons[size_t(picked)];
    button->clicked();
    return true;
}
