#include "widgets/Draggable_event.h"

#include "widgets/Draggable_label.h"

#include <algorithm>

Draggable_event::Draggable_event(std::shared_ptr<Draggable> const& target, int flags, float start_time,
                                 QEasingCurve::Type easing_type)
    : target(target), flags(flags), start_time(start_time), easing(easing_type)
{
}

void Draggable_event::update(float now, float dt)
{
    if (now < start_time || !target) return;
    if (flags & Animate_target) target->animate(dt);
    if (!active) return;

    time = std::min(time + dt, duration + 0.0001f);
    if (time > duration)
    {
        active = false;
        if (finished_callback) finished_callback();
    }

    // A zero duration is over at once.
    float const progress = float(easing.valueForProgress(duration > 0.f ? time / duration : 1.f));
    if (auto* label = dynamic_cast<Draggable_label*>(target.get()))
    {
        if (flags & Fade_in)
            label->set_alpha(progress);
        else if (flags & Fade_out)
            label->set_alpha(1.f - progress);
    }
    if (flags & Move) target->set_position((1.f - progress) * start_position + progress * end_position);
}

void Draggable_event::set_move(Eigen::Vector3f const& start, Eigen::Vector3f const& end)
{
    start_position = start;
    end_position = end;
    flags |= Move;
}

void Draggable_event::restart()
{
    time = 0.f;
    active = true;
}
