#include "screens/play/Main_game_screen.h"

#include "app/My_viewer.h"
#include "foundation/Data_config.h"
#include "foundation/Dialogs.h"
#include "gl/GL_utilities.h"
#include "gl/Image_conversion.h"
#include "screens/play/Element_factory.h"
#include "screens/play/Placement_geometry.h"
#include "screens/play/Toolbar_layout.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "widgets/Draggable_button.h"
#include "widgets/Ui_renderer.h"

#include <QApplication>
#include <QPainter>

#include <iostream>

namespace
{

QString data_file(std::string const& relative)
{
    return Data_config::instance()->find_in_data_paths_qstring(QString::fromStdString(relative));
}

} // namespace

void Main_game_screen::update_element_buttons()
{
    _buttons.clear();
    std::map<std::string, int> const& available = core->get_level_data()._available_elements;

    for (std::string const& kind : unknown_element_kinds(available))
    {
        if (_reported_kinds.insert(kind).second)
            std::cout << "Main_game_screen::update_element_buttons no button for the element kind: " << kind
                      << std::endl;
    }

    float const aspect = viewer->get_screen_aspect();
    for (Toolbar_button const& spec : toolbar_layout(available, aspect))
    {
        std::shared_ptr<Draggable_button> button;
        GLuint texture = 0;
        switch (spec.action)
        {
        case Toolbar_button::Place_element:
        {
            texture = counted_button_texture(spec.element, spec.count);
            std::string const kind = spec.element;
            button =
                std::make_shared<Draggable_button>(spec.position, spec.size, "", [this, kind] { start_placing(kind); });
            break;
        }
        case Toolbar_button::Reset_camera:
            texture = create_texture(*this, button_image(spec.image), true);
            button = std::make_shared<Draggable_button>(spec.position, spec.size, "", [this] { viewer->fly_camera(); });
            break;
        case Toolbar_button::Change_speed:
            texture = create_texture(*this, button_image(spec.image), true);
            button = std::make_shared<Draggable_button>(spec.position, spec.size, "", [this] { change_game_speed(); });
            break;
        }
        button->set_texture(texture);
        button->set_tooltip(spec.tooltip);
        _buttons.push_back(button);
    }
    // The old buttons are gone: nothing may still point to them.
    rebuild_pickables();
}

void Main_game_screen::fit_toolbar_to_window()
{
    // The editor keeps its own controls where the toolbar would be.
    if (_mode == Editor_mode) return;
    float const aspect = viewer->get_screen_aspect();
    std::vector<Toolbar_button> const layout = toolbar_layout(core->get_level_data()._available_elements, aspect);
    // Not built for this level yet: its first build lays it out.
    if (layout.size() != _buttons.size()) return;
    // Moved and resized in place: a press may still hold a button.
    for (size_t i = 0; i < layout.size(); ++i)
    {
        _buttons[i]->set_position(layout[i].position);
        _buttons[i]->set_size(layout[i].size);
    }
}

QImage const& Main_game_screen::button_image(std::string const& relative)
{
    auto image = _button_images.find(relative);
    if (image == _button_images.end()) image = _button_images.emplace(relative, QImage(data_file(relative))).first;
    return image->second;
}

GLuint Main_game_screen::counted_button_texture(std::string const& kind, int count)
{
    QImage counted = button_image(element_button_image(kind)).convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&counted);
    QFont font = _ui_renderer->get_font();
    font.setPixelSize(100);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 255));
    painter.drawText(QPoint(25, 200), QString("%1").arg(count));
    painter.end();
    return create_texture(*this, convert<Color4>(counted), true, GL_RGBA, GL_REPEAT);
}

void Main_game_screen::start_placing(std::string const& name)
{
    _drag_state = Placing;
    _element_to_place = name;
    if (!_cursor_overridden) QApplication::setOverrideCursor(Qt::CrossCursor);
    _cursor_overridden = true;
}

void Main_game_screen::restore_cursor()
{
    if (_cursor_overridden) QApplication::restoreOverrideCursor();
    _cursor_overridden = false;
}

void Main_game_screen::place_element(QPoint const& position)
{
    _drag_state = Idle;
    restore_cursor();

    Level_data& level = core->get_level_data();
    auto const available = level._available_elements.find(_element_to_place);
    if (available == level._available_elements.end() || available->second < 1) return;

    std::optional<Eigen::Vector3f> const point = field_point_under(position);
    if (!point)
    {
        std::cout << "Main_game_screen::place_element the game field is not under the cursor" << std::endl;
        return;
    }

    level.take_available_element(_element_to_place);
    add_element(*point, _element_to_place, true, 1);
    update_element_buttons();
}

std::optional<Eigen::Vector3f> Main_game_screen::point_on_depth_plane(QPoint const& pixel, float y) const
{
    Eigen::Vector3f origin, direction;
    if (!camera_ray(pixel, origin, direction)) return std::nullopt;
    std::optional<Eigen::Vector3f> const hit = intersect_ray_plane(origin, direction, Eigen::Vector3f::UnitY(), -y);
    // Along the plane, or beyond what the camera shows: nowhere to go.
    if (!hit || (*hit - origin).norm() > float(viewer->camera()->zFar())) return std::nullopt;
    return hit;
}

std::optional<Eigen::Vector3f> Main_game_screen::field_point_under(QPoint const& pixel) const
{
    Level_data const& level = core->get_level_data();
    float const floor =
        level.has_game_field_borders() ? level._game_field_borders.at(Level_data::Y_min)->get_position().y() : -20.f;
    std::optional<Eigen::Vector3f> const hit = point_on_depth_plane(pixel, floor);
    if (!hit) return std::nullopt;
    return clamp_to_game_field(level, Eigen::Vector3f(hit->x(), 0.f, hit->z()));
}

void Main_game_screen::add_element(Eigen::Vector3f const& position, std::string const& name, bool placed_by_user,
                                   int count)
{
    std::size_t const molecules_before = core->get_level_data()._molecules.size();
    add_level_element(*core, position, name, placed_by_user, count, _mode == Editor_mode);
    rebuild_element_handles();
    rebuild_pickables();
    int const placed = int(core->get_level_data()._molecules.size() - molecules_before);
    if (molecule_exists(name) && placed < count)
        Dialogs::instance().warning_once("atom limit", "Atom Limit",
                                         QString::fromStdString(atom_limit_notice(placed, count)), viewer);
}

void Main_game_screen::delete_selected_element()
{
    if (!_selection || !_selected_element) return;
    Level_element* doomed = _selected_element.get();
    cancel_mouse_action();
    _selection = 0;
    _selected_element.reset();
    core->get_level_data().delete_element(doomed);
    rebuild_element_handles();
    rebuild_pickables();
}
