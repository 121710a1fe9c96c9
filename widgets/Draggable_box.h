#ifndef WIDGETS_DRAGGABLE_BOX_H
#define WIDGETS_DRAGGABLE_BOX_H

#include "foundation/Parameter_list.h"
#include "widgets/Draggable.h"

#include <Eigen/Core>

#include <array>
#include <map>
#include <string>
#include <vector>

// The handles of a placed element: corners that scale it, a point that moves it,
// a point that turns it about its centre, a disc, and one slider-like point per
// tunable property. Handles live in the box's frame, its position and rotation;
// each drag step changes the box by the step's increment, and the element then
// accepts the box as visitor to take the new geometry over. The handles point
// back to the box, so it is not copyable.
class Draggable_box : public Draggable
{
public:
    // The handle sets get_draggables selects: the element's editing bits, plus the disc.
    enum Handle_set
    {
        Rotation_handles = Level_element::Rotate,
        Translation_handles = Level_element::Translate,
        Scale_handles = Level_element::Scale,
        Property_handles = Level_element::Property,
        Disc_handle = 16,
        All_handles = 31
    };

    // The box is bound to `element` when one is given: it then follows the
    // element's moves (an animated barrier). Properties share the element's
    // parameters; only ranged float ones get handles.
    Draggable_box(Eigen::Vector3f const& position, Eigen::Vector3f const& size, Eigen::Matrix4f const& transform,
                  Parameter_list const& properties, Level_element* element = nullptr);
    Draggable_box(Draggable_box const&) = delete;
    Draggable_box& operator=(Draggable_box const&) = delete;

    // Turns the handle that moved into a new size, place, turn or property value,
    // then puts the geometric handles back at rest.
    void update() override;
    std::vector<Draggable*> get_draggables(int flags) override;
    // The box's rotation, without its position.
    Eigen::Matrix4f get_transform() const override { return _transform; }

    void visit(Brownian_box& element) override;
    void visit(Sphere_portal& element) override;
    void visit(Box_portal& element) override;
    void visit(Molecule_releaser& element) override;
    void visit(Charged_barrier& element) override;
    void visit(Moving_box_barrier& element) override;
    void visit(Tractor_barrier& element) override;
    void visit(Blow_barrier& element) override;
    void visit(Box_barrier& element) override;
    void visit(Plane_barrier& element) override;

    Eigen::Vector3f const& get_half_extents() const { return _half_extents; }
    std::vector<Draggable_point>& get_scale_handles() { return _scale_handles; }
    std::vector<Draggable_point>& get_translation_handles() { return _translation_handles; }
    std::vector<Draggable_point>& get_rotation_handles() { return _rotation_handles; }
    Draggable_disc& get_disc() { return _disc; }
    std::map<std::string, Draggable_point>& get_parameter_handles() { return _parameter_handles; }
    Parameter_list const& get_properties() const { return _properties; }

protected:
    Eigen::Matrix4f get_frame_for_handles() const override;

private:
    void init_handles();
    void lay_out_handles();
    void apply_geometry(Level_element& element);
    // The element takes the box's rotation and position, then its properties.
    template <class Element> void apply_box(Element& element, bool announce = true);

    Eigen::Vector3f _half_extents;
    Eigen::Matrix4f _transform;
    std::vector<Draggable_point> _scale_handles;
    std::vector<Draggable_point> _translation_handles;
    std::vector<Draggable_point> _rotation_handles;
    Draggable_disc _disc;
    std::map<std::string, Draggable_point> _parameter_handles;
    Parameter_list _properties;
    std::vector<std::array<int, 3>> _corner_signs{{-1, -1, -1}, {-1, -1, 1}, {1, -1, -1}, {1, -1, 1}};
    std::vector<int> _translation_axes{1};
    std::vector<int> _rotation_axes{1};
};

#endif
