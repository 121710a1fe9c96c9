#include "simulation/Level_element.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace
{

// Parameter_list only points to its entries; an element owns the ones in its properties.
Parameter_list copy_owned(Parameter_list const& source)
{
    Parameter_list copy;
    copy._children_type = source._children_type;
    for (auto const& entry : source._list)
        copy._list[entry.first] = entry.second ? new Parameter(*entry.second) : nullptr;
    for (auto const& child : source._children)
        copy._children[child.first] = child.second ? new Parameter_list(copy_owned(*child.second)) : nullptr;
    return copy;
}

void take_owned(Parameter_list& target, Parameter_list& source)
{
    target = std::move(source);
    source._list.clear();
    source._children.clear();
}

Eigen::Matrix4f affine_inverse(Eigen::Matrix4f const& matrix)
{
    return Eigen::Affine3f(matrix).inverse(Eigen::Affine).matrix();
}

} // namespace

Level_element::Level_element() = default;

Level_element::Level_element(Level_element const& other)
    : _animations(other._animations), _properties(copy_owned(other._properties))
{
    copy_plain_fields(other);
}

Level_element::Level_element(Level_element&& other) noexcept : _animations(std::move(other._animations))
{
    copy_plain_fields(other);
    take_owned(_properties, other._properties);
}

Level_element& Level_element::operator=(Level_element const& other)
{
    if (this == &other) return *this;
    Parameter_list properties = copy_owned(other._properties);
    copy_plain_fields(other);
    _animations = other._animations;
    delete_tree_contents(_properties);
    take_owned(_properties, properties);
    return *this;
}

Level_element& Level_element::operator=(Level_element&& other) noexcept
{
    if (this == &other) return *this;
    copy_plain_fields(other);
    _animations = std::move(other._animations);
    delete_tree_contents(_properties);
    take_owned(_properties, other._properties);
    return *this;
}

void Level_element::copy_plain_fields(Level_element const& other)
{
    _position = other._position;
    _user_editable = other._user_editable;
    _persistent = other._persistent;
    _selected = other._selected;
    transform = other.transform;
    _inverse_transform = other._inverse_transform;
}

Level_element::~Level_element()
{
    // Widgets that follow this element hold a pointer to it.
    std::vector<Notifiable*> const listeners = _listeners;
    for (Notifiable* listener : listeners)
    {
        if (auto* follower = dynamic_cast<Level_element_listener*>(listener)) follower->element_destroyed(*this);
    }
    delete_tree_contents(_properties);
}

void Level_element::release_properties()
{
    delete_tree_contents(_properties);
}

void Level_element::check_loaded_frame() const
{
    // A singular frame has no inverse to take points into the element's frame.
    if (!_position.allFinite() || !_inverse_transform.allFinite())
        throw std::runtime_error("an element whose frame cannot be inverted");
}

void Level_element::ensure_float_property(std::string const& name, float& field, float min, float max)
{
    auto const existing = _properties._list.find(name);
    if (existing == _properties._list.end() || !existing->second || !is_ranged<float>(*existing->second))
    {
        add_property(Parameter(name, field, min, max));
        return;
    }
    // Else a file's range of 1e38 would let the editor's slider pass it on.
    Parameter& property = *existing->second;
    property.set_min_max(min, max);
    property.set_value_no_update(property.get_value<float>());
    field = field > max ? max : (field >= min ? field : min);
}

void Level_element::animate(float dt)
{
    if (_animations.empty()) return;
    for (Animation& animation : _animations) animation.step(dt);
    apply_animations();
}

void Level_element::reset()
{
    for (Animation& animation : _animations)
    {
        animation._time = 0.f;
        animation._direction = 1;
    }
    apply_animations();
    _selected = false;
}

float Level_element::get_energy_consumption() const
{
    return 0.f;
}

void Level_element::apply_parameters(Parameter_list const& /*parameters*/)
{
}

void Level_element::set_position(Eigen::Vector3f const& position)
{
    _position = position;
    notify_listeners();
}

void Level_element::set_transform(Eigen::Matrix4f const& new_transform)
{
    transform = new_transform;
    _inverse_transform = affine_inverse(transform);
}

Eigen::Vector3f Level_element::to_local(Eigen::Vector3f const& world_point) const
{
    return Eigen::Affine3f(_inverse_transform) * (world_point - _position);
}

Eigen::Vector3f Level_element::to_world_direction(Eigen::Vector3f const& local_direction) const
{
    return Eigen::Affine3f(transform) * local_direction;
}

void Level_element::add_notifiable(Notifiable* listener)
{
    _listeners.push_back(listener);
}

void Level_element::remove_notifiable(Notifiable* listener)
{
    _listeners.erase(std::remove(_listeners.begin(), _listeners.end(), listener), _listeners.end());
}

void Level_element::add_property(Parameter const& parameter)
{
    auto const existing = _properties._list.find(parameter._name);
    if (existing == _properties._list.end())
    {
        _properties.add(new Parameter(parameter));
        return;
    }
    Parameter* replacement = new Parameter(parameter);
    if (existing->second) replacement->_order_index = existing->second->_order_index;
    delete existing->second;
    existing->second = replacement;
}

void Level_element::apply_animations()
{
    for (Animation const& animation : _animations)
    {
        if (animation._type == 0) set_position(animation.position());
    }
}

void Level_element::notify_listeners()
{
    // A listener may unregister itself while being told.
    std::vector<Notifiable*> const listeners = _listeners;
    for (Notifiable* listener : listeners) listener->notify();
}

Eigen::AlignedBox3f corner_bounding_box(Level_element const& element, Eigen::Vector3f const& boxmin,
                                        Eigen::Vector3f const& boxmax)
{
    Eigen::AlignedBox3f box(Eigen::Vector3f::Constant(1e10f), Eigen::Vector3f::Constant(-1e10f));
    Eigen::Affine3f const transform(element.get_transform());
    for (int corner = 0; corner < 8; ++corner)
    {
        Eigen::Vector3f const local((corner & 1) ? boxmax.x() : boxmin.x(), (corner & 2) ? boxmax.y() : boxmin.y(),
                                    (corner & 4) ? boxmax.z() : boxmin.z());
        box.extend(transform * local + element.get_position());
    }
    return box;
}
