#ifndef SIMULATION_LEVEL_ELEMENT_H
#define SIMULATION_LEVEL_ELEMENT_H

#include "foundation/Class_version_check.h"
#include "foundation/Notifiable.h"
#include "foundation/Parameter_list.h"
#include "gl/Eigen_serialization.h"
#include "simulation/Animation.h"

#include <Eigen/Core>
#include <Eigen/Geometry>
#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/vector.hpp>

#include <string>
#include <vector>

class Level_element;
class Level_element_visitor;

// A listener that keeps a pointer to the element it follows. The element tells
// it before it is destroyed, so the listener never reaches into freed memory
// (a level load or a deletion may free the element first).
//
// The rule for everything above the simulation: Core may delete any element,
// molecule (and so its atoms) or property parameter at a load, restart, reset,
// clear or deletion, so nothing keeps a bare pointer to one from one event to
// the next. It keeps a listener that the element or parameter tells as it dies
// and that then reads null: a Draggable bound with set_level_element, an
// Element_watch (handles, the selection, the element menu), or a
// Parameter_binding for a widget bound to a parameter. Copies of an element
// start without listeners: each listener follows the one object it registered with.
class Level_element_listener : public Notifiable
{
public:
    virtual void element_destroyed(Level_element const& element) = 0;
};

// Anything placed in a level. Its local frame is `transform` about `_position`:
// a world point p has local coordinates inverse_transform x (p - _position).
class Level_element
{
public:
    enum User_editable
    {
        Rotate = 1,
        Translate = 2,
        Scale = 4,
        Property = 8
    };

    Level_element();
    // Copies are deep: the copy owns new property parameters. Neither a copy
    // nor a move takes listeners, and an assignment keeps the target's.
    Level_element(Level_element const& other);
    Level_element(Level_element&& other) noexcept;
    Level_element& operator=(Level_element const& other);
    Level_element& operator=(Level_element&& other) noexcept;
    virtual ~Level_element();

    virtual void accept(Level_element_visitor& visitor) = 0;
    virtual void animate(float dt);
    virtual void reset();
    virtual float get_energy_consumption() const;
    virtual Eigen::AlignedBox3f get_bounding_box() const = 0;
    virtual void apply_parameters(Parameter_list const& parameters);

    Eigen::Vector3f const& get_position() const { return _position; }
    void set_position(Eigen::Vector3f const& position);

    Eigen::Matrix4f const& get_transform() const { return transform; }
    void set_transform(Eigen::Matrix4f const& new_transform);

    Eigen::Vector3f to_local(Eigen::Vector3f const& world_point) const;
    // A local direction in world terms: the linear part times d plus the translation column.
    Eigen::Vector3f to_world_direction(Eigen::Vector3f const& local_direction) const;

    void add_notifiable(Notifiable* listener);
    void remove_notifiable(Notifiable* listener);

    bool is_persistent() const { return _persistent; }
    void set_persistent(bool persistent) { _persistent = persistent; }
    bool is_selected() const { return _selected; }
    void set_selected(bool selected) { _selected = selected; }
    int get_user_editable() const { return _user_editable; }
    void set_user_editable(int user_editable) { _user_editable = user_editable; }

    Parameter_list& get_properties() { return _properties; }
    Parameter_list const& get_properties() const { return _properties; }
    // Only for elements that have an animation.
    Animation& get_animation() { return _animations.front(); }
    std::vector<Animation> const& get_animations() const { return _animations; }

    // Keeps a copy of the parameter under its own name, replacing one of that name.
    void add_property(Parameter const& parameter);

    void apply_animations();

protected:
    // For properties the element's code looks up by name: a level file written by
    // hand or by an older game may lack one, or hold it as another type. A missing
    // one starts from the field; one the file holds takes the code's range, and it
    // and the field are brought inside that range.
    void ensure_float_property(std::string const& name, float& field, float min, float max);

    Eigen::Vector3f _position = Eigen::Vector3f::Zero();
    int _user_editable = 0;
    std::vector<Animation> _animations;
    std::vector<Notifiable*> _listeners;
    bool _persistent = true;
    bool _selected = false;
    Parameter_list _properties;
    Eigen::Matrix4f transform = Eigen::Matrix4f::Identity();
    Eigen::Matrix4f _inverse_transform = Eigen::Matrix4f::Identity();

private:
    void copy_plain_fields(Level_element const& other);
    void notify_listeners();
    // The archive replaces the property list without freeing what it held.
    void release_properties();
    // Throws std::runtime_error for a position or frame no arithmetic survives.
    void check_loaded_frame() const;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Level_element>(version, "Level_element");
        if (Archive::is_loading::value) release_properties();
        ar& boost::serialization::make_nvp("_position", _position);
        ar& boost::serialization::make_nvp("transform", transform);
        ar& boost::serialization::make_nvp("_user_editable", _user_editable);
        ar& boost::serialization::make_nvp("_animations", _animations);
        ar& boost::serialization::make_nvp("_persistent", _persistent);
        ar& boost::serialization::make_nvp("_selected", _selected);
        ar& boost::serialization::make_nvp("_properties", _properties);
        // The inverse is not stored.
        if (Archive::is_loading::value)
        {
            set_transform(transform);
            check_loaded_frame();
        }
    }
};

// World box around the eight corners of a box given in the element's local frame.
Eigen::AlignedBox3f corner_bounding_box(Level_element const& element, Eigen::Vector3f const& boxmin,
                                        Eigen::Vector3f const& boxmax);

#endif
