#include "screens/editor/Editor_screen.h"

#include "app/My_viewer.h"
#include "foundation/Dialogs.h"
#include "foundation/Main_options_window.h"
#include "rendering/World_renderer.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_tooltip.h"

#include <QApplication>
#include <QGLContext>
#include <QKeyEvent>

#include <iostream>

namespace
{

char const* const options_name = "Editor_screen";

} // namespace

Editor_screen::Editor_screen(My_viewer* viewer, Core* core)
    : Main_game_screen(viewer, core, Editor_mode), _molecule_names(editor_molecule_names())
{
    for (std::string const& name : _molecule_names) _molecules_per_click[name] = 1;
    init_controls();
    // A level loaded or reset brings counts of its own, and the widgets the
    // tooltips were shown for may be gone.
    connect(core, &Core::level_changed, this, [this] {
        hide_tooltips();
        show_player_counts();
    });
    _editor_options_box = Main_options_window::instance()->add_parameter_list(options_name, _parameters);
}

Editor_screen::~Editor_screen()
{
    std::cout << "Editor_screen::~Editor_screen" << std::endl;
    Main_options_window::instance()->remove_parameter_list(options_name, _editor_options_box);
    // The widgets delete their textures in the window's context.
    viewer->makeCurrent();
    hide_tooltips();
    _palette_buttons.clear();
    _play_button.reset();
    _grouped.clear();
}

Draggable_button* Editor_screen::get_text_button(std::string const& text) const
{
    for (Grouped_widget const& grouped : _grouped)
    {
        auto* button = dynamic_cast<Draggable_button*>(grouped.widget.get());
        if (button && button->get_text() == text && !text.empty()) return button;
    }
    return nullptr;
}

void Editor_screen::apply_view()
{
    for (Grouped_widget const& grouped : _grouped) grouped.widget->set_visible(_view.shows(grouped.group));
    rebuild_element_handles();
    rebuild_pickables();
}

void Editor_screen::hide_controls()
{
    std::cout << "Editor_screen::hide_controls" << std::endl;
    _view.hide_controls();
    apply_view();
}

void Editor_screen::show_controls()
{
    std::cout << "Editor_screen::show_controls" << std::endl;
    _view.show_controls();
    apply_view();
}

void Editor_screen::show_advanced_options()
{
    _view.show_advanced();
    apply_view();
}

void Editor_screen::hide_advanced_options()
{
    _view.hide_advanced();
    apply_view();
}

void Editor_screen::load_defaults()
{
    Parameter* running = core->get_parameters()["Toggle simulation"];
    bool const was_running = running->get_value<bool>();
    core->load_default_simulation_settings();
    core->get_level_data().reset();
    running->set_value_no_update(was_running);
    if (running->_callback) running->_callback();
}

void Editor_screen::confirm_reset_level()
{
    int const choice =
        Dialogs::instance().ask_choice("Reset Level", "The level elements will be reset and all molecules removed.",
                                       {"Keep molecules", "Continue"}, viewer);
    if (choice == 0) core->reset_level(true);
    if (choice == 1) core->reset_level(false);
}

void Editor_screen::confirm_clear_level()
{
    if (!Dialogs::instance().ask_yes_no("Clear Level",
                                        "This will clear the level, unsaved work will be lost. Continue?", viewer))
        return;
    core->clear();
    core->reset_level_data();
}

void Editor_screen::toggle_simulation()
{
    core->set_simulation_state(_play_button->is_checked());
}

void Editor_screen::toggle_placing(std::string const& name)
{
    for (auto const& [other, button] : _palette_buttons)
        if (other != name) button->uncheck();

    auto const clicked = _palette_buttons.find(name);
    if (clicked != _palette_buttons.end() && clicked->second->is_checked())
    {
        start_placing(name);
    }
    else
    {
        _drag_state = Idle;
        restore_cursor();
    }
}

void Editor_screen::end_placing()
{
    _drag_state = Idle;
    restore_cursor();
    uncheck_palette_button(_element_to_place);
}

void Editor_screen::cancel_mouse_action()
{
    if (_drag_state == Placing) end_placing();
    Main_game_screen::cancel_mouse_action();
}

void Editor_screen::uncheck_palette_button(std::string const& name)
{
    auto const button = _palette_buttons.find(name);
    if (button != _palette_buttons.end()) button->second->uncheck();
}

bool Editor_screen::keyPressEvent(QKeyEvent* event)
{
    std::cout << "Editor_screen::keyPressEvent " << event->key() << std::endl;
    switch (event->key())
    {
    case Qt::Key_Escape:
        return answer_escape();
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        delete_selected_element();
        return false;
    case Qt::Key_F11:
        std::cout << "Editor_screen::keyPressEvent re-init screen" << std::endl;
        viewer->makeCurrent();
        if (_renderer)
            _renderer->init(QGLContext::currentContext(),
                            QSize(viewer->camera()->screenWidth(), viewer->camera()->screenHeight()));
        return true;
    default:
        return false;
    }
}
