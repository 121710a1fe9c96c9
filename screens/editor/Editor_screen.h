#ifndef SCREENS_EDITOR_EDITOR_SCREEN_H
#define SCREENS_EDITOR_EDITOR_SCREEN_H

#include "screens/editor/Editor_layout.h"
#include "screens/play/Main_game_screen.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Draggable_screen_point;
class Draggable_slider;
class Draggable_tooltip;
class Parameter;

// The sandbox level editor: the play screen in mode 0 with a palette of every
// element kind the level allows and of the molecules, the counts a player gets,
// buttons for the simulation, camera, speed, reset, clear, advanced options and
// default settings, and sliders for the main physical parameters. It edits the
// current level in place; loading, saving and test play are its pause screen's.
// The controls are built in one source file, the mouse in another.
class Editor_screen : public Main_game_screen
{
public:
    Editor_screen(My_viewer* viewer, Core* core);
    ~Editor_screen() override;

    bool mousePressEvent(QMouseEvent* event) override;
    bool mouseMoveEvent(QMouseEvent* event) override;
    bool mouseReleaseEvent(QMouseEvent* event) override;
    bool keyPressEvent(QKeyEvent* event) override;

    void init_controls();
    void hide_controls();
    void show_controls();
    void show_advanced_options();
    void hide_advanced_options();
    // The default settings, the simulation left running or stopped as it was.
    void load_defaults();
    void confirm_reset_level();
    void confirm_clear_level();
    void toggle_simulation();
    // The palette button's callback: places `name` from now on, or stops.
    void toggle_placing(std::string const& name);

    void place_at_click(QPoint const& position);
    void molecule_button_right_click_event(std::string const& name);
    void parameter_slider_right_click_event(std::string const& name);

    std::map<std::string, std::shared_ptr<Draggable_button>> const& get_palette_buttons() const
    {
        return _palette_buttons;
    }
    Draggable_button* get_play_button() const { return _play_button.get(); }
    // The bottom row's button with this text, or null.
    Draggable_button* get_text_button(std::string const& text) const;
    int get_molecules_per_click(std::string const& name) const { return _molecules_per_click.at(name); }
    // The slider of that name, or null.
    Draggable_slider* get_slider(std::string const& name) const;
    Editor_view const& get_view() const { return _view; }
    // The tooltip shown for a hovered widget, by the widget's root.
    std::unordered_map<Draggable*, std::shared_ptr<Draggable_tooltip>> const& get_tooltips() const { return _tooltips; }

private:
    struct Grouped_widget
    {
        std::shared_ptr<Draggable> widget;
        Editor_group group;
    };

    void build_palette(float aspect);
    void build_icon_buttons(float aspect);
    void build_text_buttons(float aspect);
    void build_sliders();
    void fit_widgets_to_window() override;
    // A texture of a button image, loaded once per screen.
    GLuint button_texture(std::string const& image);
    void add_control(std::shared_ptr<Draggable_button> const& button, std::string const& tooltip, Editor_group group);
    // The palette's element buttons show how many of each a player gets.
    void show_player_counts();
    // Every widget shown or hidden as the view says, and nothing hidden left to pick.
    void apply_view();

    // Placing stops: the cursor comes back and the palette button pops out.
    void end_placing();
    // Escape, a deleted element or a new level: the palette button of what was
    // being placed pops out too.
    void cancel_mouse_action() override;
    void uncheck_palette_button(std::string const& name);
    int pick_under(QPoint const& pixel);
    void hide_tooltips();
    void show_tooltip(Draggable* root);
    void drag_screen_point(Draggable_screen_point& point, QPoint const& pixel);

    std::vector<std::string> _molecule_names;
    std::map<std::string, int> _molecules_per_click;
    std::map<std::string, std::shared_ptr<Draggable_button>> _palette_buttons;
    std::map<std::string, int> _painted_counts;
    std::shared_ptr<Draggable_button> _play_button;
    // In the order of their layouts, to follow them at a new window size.
    std::vector<std::shared_ptr<Draggable_button>> _icon_buttons;
    std::vector<std::shared_ptr<Draggable_button>> _text_buttons;
    std::shared_ptr<Draggable_label> _advanced_label;
    std::vector<Grouped_widget> _grouped;
    // Held in _labels; each slider's parameter is read through the slider.
    std::map<std::string, Draggable_slider*> _sliders;
    std::unordered_map<Draggable*, std::shared_ptr<Draggable_tooltip>> _tooltips;
    Editor_view _view;
    // Null once a later editor has put its own list up under the same name.
    QPointer<QGroupBox> _editor_options_box;
};

#endif
