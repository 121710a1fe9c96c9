#ifndef WIDGETS_DRAGGABLE_TOOLTIP_H
#define WIDGETS_DRAGGABLE_TOOLTIP_H

#include "widgets/Draggable_label.h"

// A label that fades in when shown and may fade out again. Its text is in its
// texture; the renderer paints and places it (Ui_renderer::generate_tooltip).
class Draggable_tooltip : public Draggable_label
{
public:
    enum Fade_state
    {
        Steady = 0,
        Fading_in = 1,
        Fading_out = 2
    };

    Draggable_tooltip(Eigen::Vector3f const& position, Eigen::Vector2f const& size);
    ~Draggable_tooltip() override;

    void animate(float dt) override;

    // Starts a fade in from nothing.
    void reset_fade();
    void start_fade_out();

    int get_fade_state() const { return _fade_state; }
    float get_fade_progress() const { return _fade_progress; }

private:
    float _fade_in_time = 0.3f;
    float _fade_out_time = 0.3f;
    float _fade_progress = 0.f;
    int _fade_state = Steady;
};

#endif
