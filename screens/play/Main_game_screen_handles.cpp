#include "screens/play/Main_game_screen.h"

#include "app/My_viewer.h"
#include "gl/GL_utilities.h"
#include "simulation/Core.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Ui_renderer.h"

#include <QGLShaderProgram>

#include <Eigen/Geometry>

#include <GL/gl.h>

namespace
{

void multiply_matrix(Eigen::Matrix4f const& matrix)
{
    glMultMatrixf(matrix.data());
}

void translate_to(Eigen::Vector3f const& point)
{
    glTranslatef(point.x(), point.y(), point.z());
}

} // namespace

Draggable_box* Main_game_screen::get_handle_box(Level_element const* element) const
{
    if (!element) return nullptr;
    for (Element_handle const& handle : _element_handles)
        if (handle.element.get() == element) return handle.box.get();
    return nullptr;
}

Level_element* Main_game_screen::get_handle_element(Draggable const* root) const
{
    for (Element_handle const& handle : _element_handles)
        if (handle.box.get() == root) return handle.element.get();
    return nullptr;
}

bool Main_game_screen::is_orphaned_handle(Draggable const* root) const
{
    for (Element_handle const& handle : _element_handles)
        if (handle.box.get() == root) return !handle.element;
    return false;
}

void Main_game_screen::rebuild_element_handles()
{
    // The boxes go: neither the pick list nor a drag may point into them.
    _pickables.clear();
    forget_picked();
    _element_handles.clear();

    for (auto const& owner : core->get_level_data()._level_elements)
    {
        Level_element* element = owner.get();
        if (!element) continue;
        std::optional<Handle_box_shape> const shape = handle_box_shape(*element);
        if (!shape) continue;
        auto box =
            std::make_unique<Draggable_box>(element->get_position(), shape->extent, element->get_transform(),
                                            element->get_properties(), shape->follows_element ? element : nullptr);
        _element_handles.push_back({std::move(box), Element_watch(element)});
    }
}

void Main_game_screen::rebuild_pickables()
{
    _pickables.clear();
    // A rebuilt list may no longer hold what was pressed.
    forget_picked();

    int const game_state = core->get_game_state();
    for (Element_handle const& handle : _element_handles)
    {
        if (!handle.element) continue;
        int const sets = pickable_handle_sets(_mode, game_state, handle.element->get_user_editable());
        for (Draggable* draggable : handle.box->get_draggables(sets)) _pickables.push_back(draggable);
    }
    auto const add_visible = [this](auto const& widgets) {
        for (auto const& widget : widgets)
        {
            if (!widget->is_visible()) continue;
            for (Draggable* draggable : widget->get_draggables(0)) _pickables.push_back(draggable);
        }
    };
    add_visible(_buttons);
    add_visible(_labels);
    add_visible(_spinboxes);
}

Draggable* Main_game_screen::pickable_at(int index) const
{
    if (index < 0 || index >= int(_pickables.size())) return nullptr;
    return _pickables[size_t(index)];
}

void Main_game_screen::draw_for_picking()
{
    float const aspect = viewer->get_screen_aspect();
    for (size_t i = 0; i < _pickables.size(); ++i)
    {
        Draggable* pickable = _pickables[i];
        Draggable* root = pickable->get_root();
        glPushMatrix();
        translate_to(root->get_position());
        multiply_matrix(root->get_transform());
        _picker.set_index_color(int(i));

        if (auto* screen_point = dynamic_cast<Draggable_screen_point*>(pickable))
        {
            // Where the widget draws it: the position goes through the frame, the
            // quad keeps its size on screen.
            viewer->begin_2d_drawing();
            Eigen::Vector3f at = screen_point->get_position();
            if (root != pickable) at = Eigen::Affine3f(root->get_transform()) * at;
            translate_to(at);
            glScalef(0.01f, 0.01f * aspect, 1.f);
            draw_fullscreen_quad();
            viewer->end_2d_drawing();
        }
        else if (dynamic_cast<Draggable_point*>(pickable))
        {
            draw_box(pickable->get_position(), Eigen::Vector3f::Constant(1.5f), 1.f, false);
        }
        else if (dynamic_cast<Draggable_disc*>(pickable))
        {
            draw_sphere(pickable->get_position(), 2.f, false);
        }
        else if (auto* button = dynamic_cast<Draggable_button*>(pickable))
        {
            viewer->begin_2d_drawing();
            viewer->draw_button(*button, true, 1.f);
            viewer->end_2d_drawing();
        }
        glPopMatrix();
    }
}

void Main_game_screen::draw_sphere(Eigen::Vector3f const& centre, float radius, bool wireframe)
{
    glPushMatrix();
    translate_to(centre);
    glScalef(radius, radius, radius);
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    _sphere.draw(2);
    glPopMatrix();
}

void Main_game_screen::draw_overlay()
{
    glColor4f(1.f, 1.f, 1.f, 1.f);
    bool const every_handle = shows_every_handle(_mode, core->get_game_state());

    auto const icon = [this](Handle_icon kind, Eigen::Vector3f const& at, float scale, float alpha) {
        glPushMatrix();
        translate_to(at);
        glScalef(scale, scale, scale);
        glRotatef(90.f, 1.f, 0.f, 0.f);
        glColor4f(1.f, 1.f, 1.f, alpha);
        viewer->draw_textured_quad(_icon_textures[kind].get());
        glPopMatrix();
    };
    Eigen::Vector3f const nudge = Eigen::Vector3f::Constant(0.01f);

    for (Element_handle const& handle : _element_handles)
    {
        if (!handle.element) continue;
        int const editable = handle.element->get_user_editable();
        auto const shown = [every_handle, editable](int bit) { return every_handle || (editable & bit); };
        Draggable_box& box = *handle.box;

        glPushMatrix();
        translate_to(box.get_position());
        multiply_matrix(box.get_transform());
        if (shown(Level_element::Scale))
            for (Draggable_point const& point : box.get_scale_handles())
                icon(Scale_icon, point.get_position() - nudge, 1.5f, 0.8f);
        if (shown(Level_element::Translate))
            for (Draggable_point const& point : box.get_translation_handles())
                icon(Move_icon, point.get_position() - nudge, 1.5f, 0.8f);
        if (shown(Level_element::Rotate))
            for (Draggable_point const& point : box.get_rotation_handles())
                icon(Rotate_icon, point.get_position() - nudge, 1.5f, 0.8f);
        if (shown(Draggable_box::Disc_handle)) icon(Settings_icon, box.get_disc().get_position() - nudge, 1.5f, 0.8f);
        if (shown(Level_element::Property))
            for (auto const& entry : box.get_parameter_handles())
                icon(Slider_icon, entry.second.get_position() - Eigen::Vector3f(0.01f, 0.03f, 0.01f), 0.9f, 1.f);
        glPopMatrix();
    }
    glColor4f(1.f, 1.f, 1.f, 1.f);

    // Flat widgets lie in one plane: the later one is on top, whatever the
    // scene's depth or the transparent margins of the ones before.
    glDisable(GL_DEPTH_TEST);
    viewer->begin_2d_drawing();
    for (auto const& button : _buttons)
        if (button->is_visible()) viewer->draw_button(*button, false, 1.f);
    for (auto const& label : _labels)
    {
        if (!label->is_visible()) continue;
        if (auto* slider = dynamic_cast<Draggable_slider*>(label.get()))
            viewer->draw_slider(*slider, false, 1.f);
        else
            viewer->draw_label(*label);
    }
    for (auto const& spinbox : _spinboxes)
    {
        auto* spin = dynamic_cast<Draggable_spinbox*>(spinbox.get());
        if (spin && spin->is_visible()) _ui_renderer->draw_spinbox(*spin, false, 1.f);
    }

    QSize const viewport(viewer->camera()->screenWidth(), viewer->camera()->screenHeight());
    _drop_shadow_program->bind();
    _drop_shadow_program->setUniformValue("texture", 0);
    _drop_shadow_program->setUniformValue("blur_size", 5.f);
    _drop_shadow_program->setUniformValue("offset", 0.01f);
    for (auto const& shadowed : _shadowed_labels)
    {
        auto* label = dynamic_cast<Draggable_label*>(shadowed.get());
        if (!label || !label->is_visible()) continue;
        _drop_shadow_program->setUniformValue("overall_alpha", label->get_alpha());
        _drop_shadow_program->setUniformValue(
            "tex_size", QVector2D(viewport.width() * label->get_size().x(), viewport.height() * label->get_size().y()));
        viewer->draw_label(*label);
    }
    _drop_shadow_program->release();
    viewer->end_2d_drawing();
    glEnable(GL_DEPTH_TEST);
}
