#ifndef WIDGETS_DRAGGABLE_EVENT_H
#define WIDGETS_DRAGGABLE_EVENT_H

#include <Eigen/Core>

#include <QEasingCurve>

#include <functional>
#include <memory>

class Draggable;

// An animation of one widget: a fade in or out and a move along an easing
// curve, starting at a given screen or simulation time. The event keeps its
// target alive. Callers set `duration` and `active` directly.
class Draggable_event
{
public:
    enum Flags
    {
        Fade_in = 1,
        Fade_out = 2,
        Move = 4,
        Animate_target = 16
    };

    Draggable_event(std::shared_ptr<Draggable> const& target, int flags, float start_time,
                    QEasingCurve::Type easing_type = QEasingCurve::InOutQuad);

    // Nothing before the start time. Then the target's own animation when asked
    // for, and while active one step of the fade and move, ending with the
    // finished callback once the duration has passed.
    void update(float now, float dt);

    void set_move(Eigen::Vector3f const& start, Eigen::Vector3f const& end);
    void restart();
    float get_start_time() const { return start_time; }

    std::shared_ptr<Draggable> target;
    int flags;
    float duration = 1.f;
    float time = 0.f;
    Eigen::Vector3f start_position = Eigen::Vector3f::Zero();
    Eigen::Vector3f end_position = Eigen::Vector3f::Zero();
    bool active = false;
    float start_time;
    std::function<void()> finished_callback;
    QEasingCurve easing;
};

#endif
