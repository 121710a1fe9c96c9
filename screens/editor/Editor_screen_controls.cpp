#include "screens/editor/Editor_screen.h"

#include "app/My_viewer.h"
#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "gl/Image_conversion.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Ui_renderer.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>

namespace
{

QString data_file(std::string const& relative)
{
    return Data_config::instance()->find_in_data_paths_qstring(QString::fromStdString(relative));
}

// Kinds whose button image is missing get no button: one without a picture
// could not be told from the others.
std::vector<std::string> kinds_with_images(std::map<std::string, int> const& available)
{
    std::vector<std::string> kinds;
    for (auto const& entry : available)
    {
        try
        {
            data_file("textures/button_" + entry.first + ".png");
            kinds.push_back(entry.first);
        }
        catch (Missing_data_file const&)
        {
            std::cout << "Editor_screen::init_controls no palette button for the element kind: " << entry.first
                      << std::endl;
        }
    }
    return kinds;
}

} // namespace

void Editor_screen::init_controls()
{
    std::cout << "Editor_screen::init_controls" << std::endl;
    float const aspect = viewer->get_screen_aspect();
    build_palette(aspect);
    build_icon_buttons(aspect);
    build_text_buttons(aspect);
    build_sliders();
    show_player_counts();
    hide_advanced_options();
}

void Editor_screen::show_player_counts()
{
    if (state == Closing || state == Closed) return;
    viewer->makeCurrent();
    std::map<std::string, int> const& available = core->get_level_data()._available_elements;
    for (auto const& [name, button] : _palette_buttons)
    {
        if (std::count(_molecule_names.begin(), _molecule_names.end(), name)) continue;
        auto const count = available.find(name);
        int const shown = count == available.end() ? 0 : count->second;
        auto const painted = _painted_counts.find(name);
        if (painted != _painted_counts.end() && painted->second == shown && button->get_texture()) continue;
        GLuint const old_texture = button->get_texture();
        button->set_texture(counted_button_texture(name, shown));
        delete_widget_texture(old_texture);
        _painted_counts[name] = shown;
    }
}

GLuint Editor_screen::button_texture(std::string const& image)
{
    return create_texture(*this, convert<Color4>(button_image(image).convertToFormat(QImage::Format_ARGB32)), true,
                          GL_RGBA, GL_REPEAT);
}

void Editor_screen::add_control(std::shared_ptr<Draggable_button> const& button, std::string const& tooltip,
                                Editor_group group)
{
    button->set_tooltip(tooltip);
    _buttons.push_back(button);
    _grouped.push_back({button, group});
}

void Editor_screen::build_palette(float aspect)
{
    Parameter_list* counts = core->get_level_data().get_parameters().get_child_helper("Available elements");
    auto const toggle = [this](std::string const& name) { toggle_placing(name); };
    auto const right_click = [this](std::string const& name) { molecule_button_right_click_event(name); };

    for (Palette_entry const& entry :
         editor_palette(kinds_with_images(core->get_level_data()._available_elements), aspect))
    {
        auto button = std::make_shared<Draggable_button>(entry.position, entry.size, "", toggle, entry.name);
        if (entry.molecule) button->set_texture(button_texture(entry.image));
        button->set_checkable(true);
        if (entry.molecule) button->set_right_click_callback(right_click, entry.name);
        add_control(button, entry.tooltip, Editor_group::Controls);
        _palette_buttons[entry.name] = button;

        if (entry.molecule) continue;
        // A kind the level's counts do not cover has nothing to count.
        Parameter* count = counts && counts->_list.count(entry.name) ? (*counts)[entry.name] : nullptr;
        if (!count) continue;
        auto spinbox = std::make_shared<Draggable_spinbox>(entry.count_position, entry.count_size, count,
                                                           [this] { show_player_counts(); });
        spinbox->set_tooltip("Number of available items of this type when playing the level");
        spinbox->set_alpha(0.7f);
        _spinboxes.push_back(spinbox);
        _grouped.push_back({spinbox, Editor_group::Advanced});
    }
}

void Editor_screen::build_icon_buttons(float aspect)
{
    // An action left out of a table fails as the editor is built, not later as a dead button.
    std::map<Editor_icon_button::Action, std::function<void()>> const actions{
        {Editor_icon_button::Toggle_simulation, [this] { toggle_simulation(); }},
        {Editor_icon_button::Reset_camera, [this] { viewer->fly_camera(); }},
        {Editor_icon_button::Change_speed, [this] { change_game_speed(); }}};
    for (Editor_icon_button const& spec : editor_icon_buttons(aspect))
    {
        auto button = std::make_shared<Draggable_button>(spec.position, spec.size, "", actions.at(spec.action));
        button->set_texture(button_texture(spec.image));
        add_control(button, spec.tooltip, Editor_group::Controls);
        _icon_buttons.push_back(button);
        if (spec.action != Editor_icon_button::Toggle_simulation) continue;
        button->set_checkable(true);
        // Checked while the simulation runs, whoever switches it.
        button->set_parameter(core->get_parameters()["Toggle simulation"]);
        _play_button = button;
    }
}

void Editor_screen::build_text_buttons(float aspect)
{
    std::map<Editor_text_button::Action, std::function<void()>> const actions{
        {Editor_text_button::Hide_controls, [this] { hide_controls(); }},
        {Editor_text_button::Show_controls, [this] { show_controls(); }},
        {Editor_text_button::Reset, [this] { confirm_reset_level(); }},
        {Editor_text_button::Clear, [this] { confirm_clear_level(); }},
        {Editor_text_button::Show_advanced, [this] { show_advanced_options(); }},
        {Editor_text_button::Hide_advanced, [this] { hide_advanced_options(); }},
        {Editor_text_button::Load_defaults, [this] { load_defaults(); }}};
    for (Editor_text_button const& spec : editor_text_buttons(aspect))
    {
        auto button = std::make_shared<Draggable_button>(spec.position, spec.size, spec.text, actions.at(spec.action));
        _ui_renderer->generate_button_texture(*button);
        add_control(button, spec.tooltip, spec.group);
        _text_buttons.push_back(button);
    }
}

Draggable_slider* Editor_screen::get_slider(std::string const& name) const
{
    auto const found = _sliders.find(name);
    return found == _sliders.end() ? nullptr : found->second;
}

void Editor_screen::build_sliders()
{
    Parameter_list& level_parameters = core->get_level_data().get_parameters();
    Parameter_list& core_parameters = core->get_parameters();
    auto const right_click = [this](std::string const& name) { parameter_slider_right_click_event(name); };
    GLuint const handle = _icon_textures[Slider_icon].get();

    for (Editor_slider const& spec : editor_sliders())
    {
        if (spec.name == "Mass Factor")
        {
            Editor_label const caption = advanced_controls_label();
            auto label = std::make_shared<Draggable_label>(caption.position, caption.size, caption.text);
            _ui_renderer->generate_label_texture(*label, Qt::AlignCenter);
            _advanced_label = label;
            _labels.push_back(label);
            _grouped.push_back({label, Editor_group::Advanced});
        }
        Parameter* parameter = (spec.in_core_list ? core_parameters : level_parameters)[spec.parameter];
        auto slider = std::make_shared<Draggable_slider>(spec.position, spec.size, parameter, std::function<void()>());
        slider->set_texture(create_texture_from_file(*this, data_file(spec.image), true));
        slider->set_handle_texture(handle);
        slider->set_tooltip(spec.tooltip);
        slider->set_right_click_callback(right_click, spec.name);
        _sliders[spec.name] = slider.get();
        _labels.push_back(slider);
        _grouped.push_back({slider, spec.advanced ? Editor_group::Advanced : Editor_group::Controls});
    }
}

void Editor_screen::fit_widgets_to_window()
{
    // Tooltips are painted for the size they were shown at; the next hover
    // paints them anew.
    hide_tooltips();
    Main_game_screen::fit_widgets_to_window();

    // Resized in place: a press may still hold a control.
    float const aspect = viewer->get_screen_aspect();
    std::vector<std::string> kinds;
    for (auto const& entry : _palette_buttons)
        if (!std::count(_molecule_names.begin(), _molecule_names.end(), entry.first)) kinds.push_back(entry.first);
    for (Palette_entry const& entry : editor_palette(kinds, aspect))
    {
        auto const button = _palette_buttons.find(entry.name);
        if (button != _palette_buttons.end()) button->second->set_size(entry.size);
    }

    std::vector<Editor_icon_button> const icons = editor_icon_buttons(aspect);
    for (size_t i = 0; i < std::min(icons.size(), _icon_buttons.size()); ++i) _icon_buttons[i]->set_size(icons[i].size);

    std::vector<Editor_text_button> const texts = editor_text_buttons(aspect);
    for (size_t i = 0; i < std::min(texts.size(), _text_buttons.size()); ++i)
    {
        _text_buttons[i]->set_size(texts[i].size);
        _ui_renderer->generate_button_texture(*_text_buttons[i]);
    }
    if (_advanced_label) _ui_renderer->generate_label_texture(*_advanced_label, Qt::AlignCenter);
}
