#include "screens/play/Main_game_screen.h"

#include "app/My_viewer.h"
#include "screens/play/Placement_geometry.h"
#include "simulation/Core.h"
#include "widgets/Draggable_box.h"

#include <QMouseEvent>

#include <iostream>

bool Main_game_screen::camera_ray(QPoint const& pixel, Eigen::Vector3f& origin, Eigen::Vector3f& direction) const
{
    qglviewer::Vec from, along;
    viewer->camera()->convertClickToLine(pixel, from, along);
    origin = Eigen::Vector3f(float(from.x), float(from.y), float(from.z));
    direction = Eigen::Vector3f(float(along.x), float(along.y), float(along.z));
    float const length = direction.norm();
    if (!(length > 0.f) || !origin.allFinite()) return false;
    direction /= length;
    return true;
}

bool Main_game_screen::mousePressEvent(QMouseEvent* event)
{
    if (_drag_state == Placing) return true;

    qglviewer::Camera* camera = viewer->camera();
    // The pick draws with the camera as it is now, whenever the window last painted.
    camera->loadProjectionMatrix();
    camera->loadModelViewMatrix();
    float const width = float(camera->screenWidth());
    float const height = float(camera->screenHeight());
    _picked_index = _picker.pick(
        float(event->x()) / width, (height - float(event->y())) / height, [this] { draw_for_picking(); },
        int(_pickables.size()));
    std::cout << "Main_game_screen::mousePressEvent picked_index: " << _picked_index << std::endl;

    _picked = pickable_at(_picked_index);
    if (!_picked)
    {
        _picked_index = -1;
        return false;
    }

    _press_position = event->pos();
    bool found = false;
    qglviewer::Vec const under = camera->pointUnderPixel(event->pos(), found);
    if (found) _drag_start = Eigen::Vector3f(float(under.x), float(under.y), float(under.z));
    _drag_state = Pressed;
    std::cout << "Main_game_screen::mousePressEvent Init_drag_handle" << std::endl;
    return true;
}

bool Main_game_screen::mouseMoveEvent(QMouseEvent* event)
{
    if (_drag_state == Placing) return true;

    if (_drag_state == Pressed && _picked && _picked->is_draggable() && (event->buttons() & Qt::LeftButton))
    {
        if ((event->pos() - _press_position).manhattanLength() >= 1) _drag_state = Dragging;
        return false;
    }

    if (_drag_state == Dragging && _picked) drag_picked_widget(event->pos());
    return false;
}

void Main_game_screen::drag_picked_widget(QPoint const& pixel, char const* log_name)
{
    // Along the plane, or beyond what the camera shows: the handle stays.
    std::optional<Eigen::Vector3f> const hit = point_on_depth_plane(pixel, _picked->get_world_position().y());
    if (!hit) return;

    Draggable* root = _picked->get_root();
    // A box whose element is gone would write into the element's freed properties.
    if (is_orphaned_handle(root))
    {
        forget_picked();
        return;
    }
    _picked->drag(*hit);
    _picked->update();
    Level_element* element = get_handle_element(root);
    if (!element) return;
    std::cout << log_name << ": " << root << std::endl;
    element->accept(*root);
}

bool Main_game_screen::mouseReleaseEvent(QMouseEvent* event)
{
    if (_drag_state == Pressed)
    {
        std::cout << "Main_game_screen::mouseReleaseEvent click on handle" << std::endl;
        _drag_state = Idle;
        Draggable* picked = _picked;
        _picked = nullptr;
        if (!picked) return false;

        _selection = 1;
        click_handle(*picked, event->button() == Qt::RightButton);
        return true;
    }

    if (_drag_state == Placing)
    {
        if (event->button() == Qt::LeftButton)
        {
            place_element(event->pos());
        }
        else
        {
            _drag_state = Idle;
            restore_cursor();
        }
        return true;
    }

    forget_picked();
    deselect();
    return false;
}

void Main_game_screen::select(Level_element* element)
{
    if (_selected_element && _selected_element.get() != element) _selected_element->set_selected(false);
    _selection = 1;
    _selected_element.reset(element);
    if (_selected_element) _selected_element->set_selected(true);
}

void Main_game_screen::deselect()
{
    if (_selected_element) _selected_element->set_selected(false);
    _selection = 0;
    _selected_element.reset();
}

void Main_game_screen::forget_picked()
{
    _picked = nullptr;
    _picked_index = -1;
    if (_drag_state == Pressed || _drag_state == Dragging) _drag_state = Idle;
}

void Main_game_screen::cancel_mouse_action()
{
    forget_picked();
    if (_drag_state == Placing) _drag_state = Idle;
    restore_cursor();
}
