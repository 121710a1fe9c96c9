#ifndef SCREENS_MENUS_MENU_SCREEN_H
#define SCREENS_MENUS_MENU_SCREEN_H

#include "app/Color_picker.h"
#include "app/Screen.h"
#include "screens/menus/Menu_items.h"

#include <Eigen/Core>

#include <QSize>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class Core;
class Draggable_button;
class Draggable_label;
class QGLShaderProgram;
class Ui_renderer;

// What a menu's actions do, by action.
typedef std::map<Menu_item::Action, std::function<void()>> Menu_actions;

// The base of the menu-like screens: buttons and labels over the scene, picked
// by colour, the button under the mouse glowing with heat and the labels over a
// soft shadow, all at the opacity of the screen's fade. Keys and the wheel are
// not taken.
class Menu_screen : public Screen
{
public:
    Menu_screen(My_viewer* viewer, Core* core);
    ~Menu_screen() override;

    // A left press on a button runs its action and is taken; anything else is not.
    bool mousePressEvent(QMouseEvent* event) override;
    // Taken when the hovered button changes to another one or to none.
    bool mouseMoveEvent(QMouseEvent* event) override;
    void resize(QSize const& size) override;
    void draw() override;
    void update(float dt) override;

    // The index of the visible button under a point in fractions of the window
    // (y up), or -1.
    int pick_button(Eigen::Vector2f const& point);

    std::vector<std::shared_ptr<Draggable_button>> const& get_buttons() const { return _buttons; }
    std::vector<std::shared_ptr<Draggable_label>> const& get_labels() const { return _labels; }
    int get_hovered() const { return _hovered; }
    float get_time() const { return _time; }

protected:
    // Items whose action is not in `actions` are shown and picked but do nothing.
    void add_items(std::vector<Menu_item> const& items, Menu_actions const& actions);
    void add_button(std::shared_ptr<Draggable_button> const& button) { _buttons.push_back(button); }
    void add_label(std::shared_ptr<Draggable_label> const& label) { _labels.push_back(label); }
    void generate_textures();
    // Paints a label again after its text changed, centred as all menu labels are.
    void refresh_label(Draggable_label& label);
    // The window in pixels, as the camera sees it.
    QSize window_size() const;
    void reset_time() { _time = 0.f; }
    // Whether the widget painter knows the window's size yet.
    bool can_paint() const;

    Core* _core;
    Ui_renderer* _ui_renderer;

private:
    Eigen::Vector2f mouse_point(QMouseEvent const& event) const;
    void draw_for_picking();
    void draw_heated(Draggable_button const& button, float alpha);
    void draw_labels(float alpha);

    Color_picker _picker;
    std::vector<std::shared_ptr<Draggable_button>> _buttons;
    std::vector<std::shared_ptr<Draggable_label>> _labels;
    int _hovered = -1;
    std::unique_ptr<QGLShaderProgram> _heat_program;
    std::unique_ptr<QGLShaderProgram> _drop_shadow_program;
    float _time = 0.f;
};

// The opacity a menu draws with: none while hidden, rising while fading in,
// falling while fading out or closing, full otherwise.
float menu_opacity(int state, float progress);

#endif
