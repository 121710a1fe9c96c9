#ifndef SCREENS_PLAY_MAIN_GAME_SCREEN_H
#define SCREENS_PLAY_MAIN_GAME_SCREEN_H

#include "app/Color_picker.h"
#include "app/Screen.h"
#include "gl/Icosphere.h"
#include "gl/Texture_handle.h"
#include "screens/play/Handle_rules.h"
#include "screens/play/Hud_rules.h"
#include "simulation/Atomic_force_types.h"
#include "simulation/Element_watch.h"
#include "simulation/Level_state.h"

#include <Eigen/Core>

#include <QGLViewer/quaternion.h>
#include <QGLViewer/vec.h>
#include <QGroupBox>
#include <QImage>
#include <QPoint>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class Core;
class Draggable;
class Draggable_box;
class Draggable_button;
class Draggable_event;
class Draggable_label;
class Level_element;
class QGLFramebufferObject;
class QGLShaderProgram;
class Ui_renderer;
class World_renderer;

// The screen a level is played on: the level drawn by the chosen scene renderer,
// the elements' handles, the toolbar and the head-up display on top, blurred
// while the screen fades. One lives at the bottom of the stack for the whole
// game; the editor is one in mode 0. The head-up display, the toolbar, the
// handles with picking, and the mouse each have a source file of their own.
class Main_game_screen : public Screen
{
    Q_OBJECT

public:
    typedef ::Level_state Level_state;

    enum Drag_state
    {
        Idle = 0,
        Pressed = 1,
        Dragging = 2,
        Placing = 3
    };

    Main_game_screen(My_viewer* viewer, Core* core, int mode = Game_mode);
    ~Main_game_screen() override;

    bool mousePressEvent(QMouseEvent* event) override;
    bool mouseMoveEvent(QMouseEvent* event) override;
    bool mouseReleaseEvent(QMouseEvent* event) override;
    bool keyPressEvent(QKeyEvent* event) override;
    void resize(QSize const& size) override;
    void draw() override;
    void update(float dt) override;
    // The tutorial's steps wait while the screen is not shown: a help put up
    // under a pause, or over a screen fading back, would start a game the
    // player had stopped.
    void process_events() override;
    void state_changed_event(int new_state, int old_state) override;
    // In the editor and its test play: asks before a changed level is lost, and
    // keeps the sandbox's settings as going back to the main menu does.
    bool prepare_to_end_game(bool may_ask) override;

    // Callback of "Renderer/type".
    void change_renderer();
    // The speed button: toggles "physics_speed" between 1 and 2.
    void change_game_speed();

    void init_hud();
    void update_hud();
    // The head-up display painted again for a new window size; fall pop-ups
    // in flight fly on.
    void repaint_hud();

    // The toolbar, placement and the elements' handles.
    void update_element_buttons();
    void start_placing(std::string const& name);
    void place_element(QPoint const& position);
    void add_element(Eigen::Vector3f const& position, std::string const& name, bool placed_by_user = false,
                     int count = 1);
    void delete_selected_element();
    // The element's menu of flags and properties at the cursor; a widget that
    // is no element's handle has none.
    void show_context_menu_for_element(Draggable* handle);
    // A right click on any handle of an element opens its menu, and so does a
    // click on its settings handle.
    static bool opens_element_menu(Draggable const& picked, bool right_click);
    enum class Handle_click
    {
        Element_gone,
        Menu_opened,
        Clicked
    };
    // Clicks the root of the picked handle as the button asks, then selects its
    // element and opens its menu where the click calls for it.
    Handle_click click_handle(Draggable& picked, bool right_click);
    void rebuild_element_handles();
    void rebuild_pickables();
    void draw_for_picking();
    void draw_overlay();
    void draw_sphere(Eigen::Vector3f const& centre, float radius, bool wireframe);

    int get_mode() const { return _mode; }
    int get_drag_state() const { return _drag_state; }
    Level_state get_level_state() const { return _level_state; }
    Level_element* get_selected_element() const { return _selected_element.get(); }
    std::string const& get_element_to_place() const { return _element_to_place; }
    Parameter_list& get_parameters() { return _parameters; }
    World_renderer* get_renderer() const { return _renderer.get(); }
    std::vector<Draggable*> const& get_pickables() const { return _pickables; }
    std::vector<std::shared_ptr<Draggable_button>> const& get_buttons() const { return _buttons; }
    std::vector<std::shared_ptr<Draggable_label>> const& get_labels() const { return _labels; }
    std::vector<std::shared_ptr<Draggable>> const& get_spinboxes() const { return _spinboxes; }
    std::vector<std::shared_ptr<Draggable>> const& get_shadowed_labels() const { return _shadowed_labels; }
    Draggable_label* get_energy_label() const { return _energy_label.get(); }
    Draggable_label* get_energy_bonus_label() const { return _energy_bonus_label.get(); }
    Draggable_label* get_time_label() const { return _time_label.get(); }
    // The handle box of an element, or null. A box whose element is gone
    // stands for nothing until the handles are rebuilt.
    Draggable_box* get_handle_box(Level_element const* element) const;
    // The element a handle box stands for, or null for a widget that is none.
    Level_element* get_handle_element(Draggable const* root) const;
    // A handle box whose element has gone since the handles were built.
    bool is_orphaned_handle(Draggable const* root) const;

public slots:
    void handle_level_change(Level_state state);
    void handle_game_state_change();

protected:
    // The icons drawn on an element's handles, each a texture of its own.
    enum Handle_icon
    {
        Rotate_icon,
        Scale_icon,
        Move_icon,
        Slider_icon,
        Settings_icon,
        Handle_icon_count
    };

    struct Element_handle
    {
        std::unique_ptr<Draggable_box> box;
        // The box shares the element's property parameters: once the element
        // is gone the box must not be drawn, picked or dragged.
        Element_watch element;
    };

    void build_parameters();
    // After a resize: every widget painted and laid out for the new size.
    virtual void fit_widgets_to_window();
    // The toolbar's buttons kept square at the window's new shape.
    void fit_toolbar_to_window();
    // The kind's button image with the count painted in its corner, as a texture.
    GLuint counted_button_texture(std::string const& kind, int count);
    // A button's image under the data paths, read from disk only the first time.
    QImage const& button_image(std::string const& relative);
    // What a still picture was drawn for.
    struct Still_view
    {
        float time;
        qglviewer::Vec camera_position;
        qglviewer::Quaternion camera_orientation;
        QSize size;
    };

    // The targets' size for the window's: capped (rendering/Target_size.h).
    QSize target_size(QSize const& window);
    void create_targets(QSize const& size);
    // The level through the renderer, then the handles, into colour target 0.
    void draw_scene();
    // Both passes, leaving the blurred picture in the scene target's texture.
    void blur(float strength);
    void copy_to_window(GLuint texture);
    Still_view current_view() const;
    // Under a menu with the clock and the camera standing still, the last
    // scene is still right.
    bool still_picture_holds() const;
    void queue_tutorial_events();
    void add_energy_bonus_popup(int fall);
    // The fall pop-ups go once their animations are over.
    void forget_finished_popups(float now);

    void select(Level_element* element);
    void deselect();
    // Forgets a press or a drag under way.
    void forget_picked();
    // Forgets a placement under way too.
    virtual void cancel_mouse_action();
    // Escape pauses the screen while it shows, and brings it back while it is
    // hidden; true when it did either.
    bool answer_escape();
    void restore_cursor();
    // The picked widget for a pick result; null for nothing or an index that
    // does not belong to the list.
    Draggable* pickable_at(int index) const;
    // The camera ray through a window pixel; none when the camera cannot give one.
    bool camera_ray(QPoint const& pixel, Eigen::Vector3f& origin, Eigen::Vector3f& direction) const;
    // Where the camera ray through the pixel meets the plane of constant depth
    // y; none when it runs along the plane or meets it behind the camera or
    // beyond what the camera shows.
    std::optional<Eigen::Vector3f> point_on_depth_plane(QPoint const& pixel, float y) const;
    // Where a click on the pixel places an element: on the floor under the
    // cursor, moved to the middle depth and inside the field's walls.
    std::optional<Eigen::Vector3f> field_point_under(QPoint const& pixel) const;
    // Along the depth plane through the widget; an element's handle then
    // writes the new geometry into its element.
    void drag_picked_widget(QPoint const& pixel, char const* log_name = "Main_game_screen::mouseMoveEvent");

    Core* core;
    Parameter_list _parameters;
    Owned_parameter_tree _owned_parameters;
    // Null once a later screen has put its own list up under the same name.
    QPointer<QGroupBox> _options_box;
    std::unique_ptr<World_renderer> _renderer;
    Ui_renderer* _ui_renderer;
    Color_picker _picker;

    QPoint _press_position;
    Eigen::Vector3f _drag_start = Eigen::Vector3f::Zero();
    int _picked_index = -1;
    // Held from the press: the list may be rebuilt before the release.
    Draggable* _picked = nullptr;
    int _drag_state = Idle;
    int _selection = 0;
    Element_watch _selected_element;
    int _mode;
    Level_state _level_state = 1;
    std::string _element_to_place;
    bool _cursor_overridden = false;
    Icosphere _sphere;

    std::vector<Draggable*> _pickables;
    std::vector<Element_handle> _element_handles;
    std::vector<std::shared_ptr<Draggable_button>> _buttons;
    std::vector<std::shared_ptr<Draggable_label>> _labels;
    std::vector<std::shared_ptr<Draggable>> _spinboxes;
    std::vector<std::shared_ptr<Draggable>> _shadowed_labels;

    std::shared_ptr<Draggable_label> _energy_label;
    std::shared_ptr<Draggable_label> _energy_bonus_label;
    std::shared_ptr<Draggable_label> _time_label;
    std::vector<std::shared_ptr<Draggable_event>> _animations;
    std::vector<std::shared_ptr<Draggable_label>> _popups;
    Energy_bonus_tracker _energy_bonus;

    // By path under the data paths.
    std::unordered_map<std::string, QImage> _button_images;
    std::set<std::string> _reported_kinds;
    std::array<Texture_handle, Handle_icon_count> _icon_textures;

    std::unique_ptr<QGLFramebufferObject> _scene_target;
    std::unique_ptr<QGLShaderProgram> _copy_program;
    std::unique_ptr<QGLShaderProgram> _blur_program;
    std::unique_ptr<QGLShaderProgram> _drop_shadow_program;
    std::array<Texture_handle, 2> _color_targets;
    std::optional<Still_view> _still_picture;
};

#endif
