#include "screens/editor/Editor_screen.h"

#include "app/My_viewer.h"
#include "screens/editor/Editor_menus.h"
#include "screens/play/Placement_geometry.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_tooltip.h"
#include "widgets/Ui_renderer.h"

#include <Eigen/Geometry>

#include <QCursor>
#include <QMouseEvent>

#include <algorithm>
#include <iostream>

int Editor_screen::pick_under(QPoint const& pixel)
{
    qglviewer::Camera* camera = viewer->camera();
    // The pick draws with the camera as it is now, whenever the window last painted.
    camera->loadProjectionMatrix();
    camera->loadModelViewMatrix();
    float const width = float(camera->screenWidth());
    float const height = float(camera->screenHeight());
    return _picker.pick(
        float(pixel.x()) / width, (height - float(pixel.y())) / height, [this] { draw_for_picking(); },
        int(_pickables.size()));
}

void Editor_screen::hide_tooltips()
{
    for (auto const& entry : _tooltips)
    {
        Draggable const* tooltip = entry.second.get();
        _shadowed_labels.erase(std::remove_if(_shadowed_labels.begin(), _shadowed_labels.end(),
                                              [tooltip](auto const& label) { return label.get() == tooltip; }),
                               _shadowed_labels.end());
    }
    _tooltips.clear();
}

void Editor_screen::show_tooltip(Draggable* root)
{
    std::shared_ptr<Draggable_tooltip> tooltip =
        _ui_renderer->generate_tooltip(root->get_position(), Eigen::Vector3f(0.05f, 0.05f, 0.f), root->get_tooltip());
    tooltip->reset_fade();
    _shadowed_labels.push_back(tooltip);
    _tooltips[root] = tooltip;
}

bool Editor_screen::mousePressEvent(QMouseEvent* event)
{
    hide_tooltips();
    _picked_index = pick_under(event->pos());
    std::cout << "Editor_screen::mousePressEvent picked_index: " << _picked_index << std::endl;
    _picked = pickable_at(_picked_index);
    if (!_picked)
    {
        _picked_index = -1;
        // The release places; the camera must not move meanwhile.
        return _drag_state == Placing;
    }

    if (_drag_state == Placing)
    {
        restore_cursor();
        // A click on the checked button itself unchecks it on release, which
        // ends placing there; unchecked now, the release would check it again.
        auto const placing_button = _palette_buttons.find(_element_to_place);
        if (placing_button == _palette_buttons.end() || placing_button->second.get() != _picked->get_root())
            uncheck_palette_button(_element_to_place);
    }

    _press_position = event->pos();
    bool found = false;
    qglviewer::Vec const under = viewer->camera()->pointUnderPixel(event->pos(), found);
    if (found) _drag_start = Eigen::Vector3f(float(under.x), float(under.y), float(under.z));
    _drag_state = Pressed;
    std::cout << "Editor_screen::mousePressEvent Init_drag_handle" << std::endl;
    return true;
}

bool Editor_screen::mouseMoveEvent(QMouseEvent* event)
{
    switch (_drag_state)
    {
    case Placing:
        return true;
    case Pressed:
        if (!_picked || !_picked->is_draggable() || !(event->buttons() & Qt::LeftButton)) return false;
        if ((_press_position - event->pos()).manhattanLength() >= 1) _drag_state = Dragging;
        return true;
    case Dragging:
        if (!_picked) return true;
        if (auto* point = dynamic_cast<Draggable_screen_point*>(_picked))
            drag_screen_point(*point, event->pos());
        else
            drag_picked_widget(event->pos(), "Editor_screen::mouseMoveEvent");
        return true;
    default:
        break;
    }

    int const index = pick_under(event->pos());
    if (index == _picked_index) return false;
    if (Draggable* hovered = pickable_at(_picked_index))
    {
        std::cout << "Editor_screen::mouseMoveEvent stopped hovering" << std::endl;
        Draggable* root = hovered->get_root();
        auto const shown = _tooltips.find(root);
        if (shown != _tooltips.end())
        {
            Draggable const* tooltip = shown->second.get();
            _shadowed_labels.erase(std::remove_if(_shadowed_labels.begin(), _shadowed_labels.end(),
                                                  [tooltip](auto const& label) { return label.get() == tooltip; }),
                                   _shadowed_labels.end());
            _tooltips.erase(shown);
        }
    }
    _picked_index = -1;

    Draggable* hovered = pickable_at(index);
    if (!hovered) return false;
    _picked_index = index;
    std::cout << "Editor_screen::mouseMoveEvent started hovering" << std::endl;
    Draggable* root = hovered->get_root();
    if (!root->get_tooltip().empty()) show_tooltip(root);
    return false;
}

void Editor_screen::drag_screen_point(Draggable_screen_point& point, QPoint const& pixel)
{
    float const width = float(viewer->camera()->screenWidth());
    float const height = float(viewer->camera()->screenHeight());
    Eigen::Vector3f const on_screen(float(pixel.x()) / width, (height - float(pixel.y())) / height, 0.f);
    Eigen::Affine3f const frame(point.get_transform());
    Eigen::Vector3f local = frame.inverse() * on_screen;
    local.z() = point.get_position().z();
    point.set_position(local);
    point.update();
}

bool Editor_screen::mouseReleaseEvent(QMouseEvent* event)
{
    if (_drag_state == Placing)
    {
        if (event->button() == Qt::LeftButton) place_at_click(event->pos());
        if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) return true;
        end_placing();
        return true;
    }

    if (_drag_state != Pressed)
    {
        forget_picked();
        deselect();
        return false;
    }

    std::cout << "Editor_screen::mouseReleaseEvent click on handle" << std::endl;
    _drag_state = Idle;
    Draggable* picked = _picked;
    _picked = nullptr;
    _picked_index = -1;
    if (!picked) return false;

    if (auto* point = dynamic_cast<Draggable_screen_point*>(picked)) point->update();
    _selection = 1;
    bool const is_root = picked == picked->get_root();
    // A handle of its own (a slider's knob) answers after its element's root.
    if (click_handle(*picked, event->button() == Qt::RightButton) == Handle_click::Clicked && !is_root)
        picked->clicked();
    return true;
}

void Editor_screen::place_at_click(QPoint const& position)
{
    bool const molecule =
        std::find(_molecule_names.begin(), _molecule_names.end(), _element_to_place) != _molecule_names.end();
    std::optional<Eigen::Vector3f> point;
    int count = 1;
    if (molecule)
    {
        count = _molecules_per_click[_element_to_place];
        point = point_on_depth_plane(position, 0.f);
        if (point) point = clamp_to_game_field(core->get_level_data(), *point);
    }
    else
    {
        point = field_point_under(position);
    }
    if (!point)
    {
        std::cout << "Editor_screen::place_at_click the game field is not under the cursor" << std::endl;
        return;
    }
    add_element(*point, _element_to_place, false, count);
}

void Editor_screen::molecule_button_right_click_event(std::string const& name)
{
    std::cout << "Editor_screen::molecule_button_right_click_event" << std::endl;
    _molecules_per_click[name] = ask_molecules_per_click(name, _molecules_per_click[name], QCursor::pos());
}

void Editor_screen::parameter_slider_right_click_event(std::string const& name)
{
    std::cout << "Editor_screen::parameter_slider_right_click_event" << std::endl;
    Draggable_slider const* slider = get_slider(name);
    Parameter* bound = slider ? slider->get_parameter() : nullptr;
    if (!bound || !is_ranged<float>(*bound)) return;
    Parameter& parameter = *bound;
    parameter.set_value_no_update(ask_slider_value(name, parameter, QCursor::pos()));
    if (parameter._callback) parameter._callback();
}
