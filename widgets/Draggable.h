#ifndef WIDGETS_DRAGGABLE_H
#define WIDGETS_DRAGGABLE_H

#include "simulation/Level_element.h"
#include "simulation/Level_element_visitor.h"
#include "widgets/Constraint.h"

#include <Eigen/Core>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A widget inside the GL view: a button, label, plot or a handle with which the
// player moves, scales, turns and tunes an element. Widgets form trees: a
// handle's position lives in its parent's frame, and a change of a handle goes
// up to the parent, which turns it into a change of its own state. As a visitor
// a widget writes its state into the element that accepts it.
class Draggable : public Level_element_visitor, public Level_element_listener
{
public:
    explicit Draggable(Eigen::Vector3f const& position = Eigen::Vector3f::Zero());
    // A copy follows the same element and shares the constraints.
    Draggable(Draggable const& other);
    Draggable& operator=(Draggable const& other);
    ~Draggable() override;

    virtual void animate(float /*dt*/) {}
    // Runs the parent's update while this widget is marked as the one updating.
    virtual void update();
    virtual void set_position(Eigen::Vector3f const& position) { _position = position; }
    // What a screen may pick; `flags` selects handle sets where a widget has them.
    virtual std::vector<Draggable*> get_draggables(int flags);
    // The frame of this widget's position: the parent's, or the identity.
    virtual Eigen::Matrix4f get_transform() const;
    virtual void clicked();
    virtual void right_clicked() {}

    // Follows the element this widget is bound to; without one there is nothing to follow.
    void notify() override;
    void element_destroyed(Level_element const& element) override;

    // Moves to the world point, taken into the frame the widget is dragged in,
    // then applies the constraints in order.
    void drag(Eigen::Vector3f const& world_point);
    // The position in world terms: the point drag would have to be given to
    // leave the widget where it is.
    Eigen::Vector3f get_world_position() const;

    // Binds the widget to an element (or to none): it registers as the element's
    // listener and follows it until detached, destroyed or the element dies.
    void set_level_element(Level_element* element);
    void detach();
    Level_element* get_level_element() const { return _level_element; }

    Eigen::Vector3f const& get_position() const { return _position; }
    Draggable* get_parent() const { return _parent; }
    void set_parent(Draggable* parent) { _parent = parent; }
    Draggable* get_root();

    void add_constraint(std::shared_ptr<Constraint> const& constraint) { _constraints.push_back(constraint); }
    std::vector<std::shared_ptr<Constraint>> const& get_constraints() const { return _constraints; }

    bool is_updating() const { return _updating; }
    bool is_draggable() const { return _draggable; }
    void set_draggable(bool draggable) { _draggable = draggable; }
    bool is_visible() const { return _visible; }
    void set_visible(bool visible) { _visible = visible; }
    std::string const& get_tooltip() const { return _tooltip; }
    void set_tooltip(std::string const& tooltip) { _tooltip = tooltip; }
    float get_handle_range() const { return _handle_range; }
    void set_click_callback(std::function<void(Draggable*)> const& callback) { _click_callback = callback; }

protected:
    // The frame in which this widget's handles are dragged. For most widgets it
    // is their transform; a widget placed in the world adds its position.
    virtual Eigen::Matrix4f get_frame_for_handles() const { return get_transform(); }
    Eigen::Matrix4f get_frame_dragged_in() const;

    Draggable* _parent = nullptr;
    Eigen::Vector3f _position;
    std::vector<std::shared_ptr<Constraint>> _constraints;
    bool _updating = false;
    Level_element* _level_element = nullptr;
    bool _draggable = true;
    // Half the length of a parameter handle's track.
    float _handle_range = 3.9f;
    bool _visible = true;
    std::string _tooltip;
    std::function<void(Draggable*)> _click_callback;
};

// Handle kinds, told apart by screens when they draw and when a click arrives.

// A handle in world or element space.
class Draggable_point : public Draggable
{
public:
    using Draggable::Draggable;
};

// A handle in normalised screen space; a click on one runs its update.
class Draggable_screen_point : public Draggable
{
public:
    using Draggable::Draggable;
};

// A handle drawn as a disc.
class Draggable_disc : public Draggable
{
public:
    using Draggable::Draggable;
};

#endif
