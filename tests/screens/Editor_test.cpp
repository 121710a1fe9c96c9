#include "Editor_test.h"

#include "screens/menus/Main_menu_screen.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"

#include <Eigen/Geometry>
#include <QMenu>
#include <QSpinBox>

void Editor_test::SetUp()
{
    Play_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    core->progress.sandbox_warning_seen = true;
}

Editor_screen* Editor_test::open_sandbox()
{
    viewer->makeCurrent();
    Capture_stdout quiet;
    auto* menu = new Main_menu_screen(viewer.get(), core.get());
    viewer->add_screen(menu);
    driver->step_frames(70);
    for (auto const& button : menu->get_buttons())
        if (button->get_text() == "Sandbox") driver->click(centre_of(*button));
    editor = top<Editor_screen>();
    driver->step_frames(70);
    return editor;
}

void Editor_test::click(Draggable const& widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    Capture_stdout quiet;
    driver->click(centre_of(widget), button, modifiers);
}

void Editor_test::click_handle(Draggable const& handle, Qt::MouseButton button)
{
    driver->click(driver->pixel_of(handle.get_world_position()), button);
}

void Editor_test::click_palette(std::string const& name, Qt::MouseButton button)
{
    click(*editor->get_palette_buttons().at(name), button);
}

void Editor_test::set_molecules_per_click(std::string const& name, int count)
{
    QString const row = QString::fromStdString("Number of " + name + " molecules to place");
    dialogs.menus.push_back([row, count](QMenu& menu) {
        if (auto* box = Scripted_dialogs::row_widget<QSpinBox>(menu, row)) box->setValue(count);
        return nullptr;
    });
    click_palette(name, Qt::RightButton);
}

void Editor_test::click_text(std::string const& text)
{
    Draggable_button* button = editor->get_text_button(text);
    ASSERT_NE(nullptr, button) << text;
    click(*button);
}

void Editor_test::click_menu_button(std::string const& text, Qt::KeyboardModifiers held)
{
    auto* menu = top<Menu_screen>();
    ASSERT_NE(nullptr, menu);
    for (auto const& button : menu->get_buttons())
    {
        if (button->get_text() != text) continue;
        driver->hold_keys(held);
        click(*button);
        driver->hold_keys(Qt::NoModifier);
        return;
    }
    FAIL() << "no button " << text;
}

Draggable_slider& Editor_test::slider(std::string const& name) const
{
    if (Draggable_slider* found = editor->get_slider(name)) return *found;
    throw std::runtime_error("no slider " + name);
}

Draggable_spinbox& Editor_test::count_spinbox(std::string const& kind) const
{
    Parameter* parameter = core->get_level_data().get_parameters()["Available elements/" + kind];
    for (auto const& widget : editor->get_spinboxes())
        if (auto* found = dynamic_cast<Draggable_spinbox*>(widget.get()); found && found->get_parameter() == parameter)
            return *found;
    throw std::runtime_error("no spin box " + kind);
}

Eigen::Vector2f Editor_test::screen_point(Draggable const& handle) const
{
    return (Eigen::Affine3f(handle.get_transform()) * handle.get_position()).head<2>();
}

std::vector<std::string> Editor_test::hidden_pickables() const
{
    std::vector<std::string> hidden;
    for (Draggable* pickable : editor->get_pickables())
    {
        Draggable* root = pickable->get_root();
        if (root->is_visible()) continue;
        auto* label = dynamic_cast<Draggable_label*>(root);
        hidden.push_back(label && !label->get_text().empty() ? label->get_text() : root->get_tooltip());
    }
    return hidden;
}
