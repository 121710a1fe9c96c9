#include "widgets/Draggable_tooltip.h"

#include <algorithm>
#include <iostream>

Draggable_tooltip::Draggable_tooltip(Eigen::Vector3f const& position, Eigen::Vector2f const& size)
    : Draggable_label(position, size, "")
{
}

Draggable_tooltip::~Draggable_tooltip()
{
    std::cout << "Draggable_tooltip::~Draggable_tooltip" << std::endl;
}

void Draggable_tooltip::animate(float dt)
{
    if (_fade_state == Steady) return;
    float const fade_time = _fade_state == Fading_in ? _fade_in_time : _fade_out_time;
    _fade_progress = std::min(_fade_progress + dt / fade_time, 1.f);
    _alpha = _fade_state == Fading_in ? _fade_progress : 1.f - _fade_progress;
    if (_fade_progress >= 1.f) _fade_state = Steady;
}

void Draggable_tooltip::reset_fade()
{
    _fade_progress = 0.f;
    _fade_state = Fading_in;
    _alpha = 0.f;
}

void Draggable_tooltip::start_fade_out()
{
    _fade_progress = 0.f;
    _fade_state = Fading_out;
}
