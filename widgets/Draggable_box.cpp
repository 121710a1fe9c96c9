#include "widgets/Draggable_box.h"

#include "widgets/Parameter_track.h"

#include <Eigen/Geometry>

#include <cmath>

Draggable_box::Draggable_box(Eigen::Vector3f const& position, Eigen::Vector3f const& size,
                             Eigen::Matrix4f const& transform, Parameter_list const& properties, Level_element* element)
    : Draggable(position), _half_extents(size / 2.f), _transform(transform), _properties(properties)
{
    init_handles();
    set_level_element(element);
}

void Draggable_box::init_handles()
{
    _scale_handles.resize(_corner_signs.size());
    _translation_handles.resize(_translation_axes.size());
    _rotation_handles.resize(_rotation_axes.size());
    for (auto* handles : {&_scale_handles, &_translation_handles, &_rotation_handles})
        for (Draggable_point& handle : *handles) handle.set_parent(this);
    _disc.set_parent(this);
    lay_out_handles();

    float const track = 2.f * _handle_range;
    int index = 0;
    for (auto const& [name, parameter] : _properties._list)
    {
        if (!parameter || !is_ranged<float>(*parameter)) continue;
        float const y = -_half_extents.y();
        float const z = -3.6f - 3.f * float(index++);
        Draggable_point& handle = _parameter_handles[name];
        handle.set_parent(this);
        handle.set_position(Eigen::Vector3f(track_position(*parameter, _handle_range), y, z));
        handle.add_constraint(std::make_shared<Range_constraint>(Eigen::Vector3f(-track / 2.f, y, z),
                                                                 Eigen::Vector3f(track / 2.f, y, z)));
    }
}

void Draggable_box::lay_out_handles()
{
    Eigen::Vector3f const& half = _half_extents;
    for (size_t k = 0; k < _scale_handles.size(); ++k)
    {
        auto const& sign = _corner_signs[k];
        _scale_handles[k].set_position(Eigen::Vector3f(sign[0] * half.x(), sign[1] * half.y(), sign[2] * half.z()));
    }
    for (size_t k = 0; k < _translation_handles.size(); ++k)
    {
        _translation_handles[k].set_position(_translation_axes[k] == 0 ? Eigen::Vector3f(-half.x(), 0.f, 0.f)
                                                                       : Eigen::Vector3f(0.f, -half.y(), 0.f));
    }
    for (size_t k = 0; k < _rotation_handles.size(); ++k)
    {
        int const axis = _rotation_axes[k];
        Eigen::Vector3f const rest = axis == 0   ? Eigen::Vector3f(-half.x(), -4.f, 0.f)
                                     : axis == 1 ? Eigen::Vector3f(-4.f, -half.y(), 0.f)
                                                 : Eigen::Vector3f(-4.f, 0.f, half.z());
        _rotation_handles[k].set_position(rest);
    }
    _disc.set_position(Eigen::Vector3f(4.f, -half.y(), 0.f));
}

void Draggable_box::update()
{
    for (Draggable_point const& handle : _scale_handles)
    {
        if (handle.is_updating()) _half_extents = handle.get_position().cwiseAbs();
    }

    Eigen::Matrix3f const rotation = _transform.topLeftCorner<3, 3>();
    for (size_t k = 0; k < _translation_handles.size(); ++k)
    {
        if (!_translation_handles[k].is_updating()) continue;
        Eigen::Vector3f offset = _translation_handles[k].get_position();
        offset[_translation_axes[k] == 0 ? 0 : 1] = 0.f;
        set_position(_position + rotation * offset);
    }

    for (size_t k = 0; k < _rotation_handles.size(); ++k)
    {
        if (!_rotation_handles[k].is_updating()) continue;
        Eigen::Vector3f const& p = _rotation_handles[k].get_position();
        int const axis = _rotation_axes[k];
        float angle = axis == 0   ? std::atan2(p.z(), p.y())
                      : axis == 1 ? std::atan2(p.z(), p.x())
                                  : std::atan2(p.y(), p.x());
        Eigen::Vector3f const about = axis == 0   ? Eigen::Vector3f(-1.f, 0.f, 0.f)
                                      : axis == 1 ? Eigen::Vector3f(0.f, -1.f, 0.f)
                                                  : Eigen::Vector3f(0.f, 0.f, 1.f);
        // Even handles rest on the negative side, at an angle of pi.
        if (k % 2 == 0) angle += float(EIGEN_PI);
        Eigen::Affine3f turn = Eigen::Affine3f::Identity();
        turn.rotate(Eigen::AngleAxisf(angle, about));
        _transform = _transform * turn.matrix();
    }

    for (auto& [name, handle] : _parameter_handles)
    {
        if (!handle.is_updating()) continue;
        Parameter* parameter = _properties._list.at(name);
        parameter->set_value_no_update(track_value(*parameter, handle.get_position().x(), _handle_range));
    }

    lay_out_handles();
}

std::vector<Draggable*> Draggable_box::get_draggables(int flags)
{
    std::vector<Draggable*> picked;
    auto const add = [&picked](std::vector<Draggable_point>& handles) {
        for (Draggable_point& handle : handles) picked.push_back(&handle);
    };
    if (flags & Scale_handles) add(_scale_handles);
    if (flags & Translation_handles) add(_translation_handles);
    if (flags & Rotation_handles) add(_rotation_handles);
    if (flags & Property_handles)
        for (auto& entry : _parameter_handles) picked.push_back(&entry.second);
    if (flags & Disc_handle) picked.push_back(&_disc);
    return picked;
}

Eigen::Matrix4f Draggable_box::get_frame_for_handles() const
{
    Eigen::Affine3f frame = Eigen::Affine3f::Identity();
    frame.translate(_position);
    return frame.matrix() * _transform;
}
