#ifndef APP_FRAME_STEPS_H
#define APP_FRAME_STEPS_H

// How many fixed screen steps a frame runs so that the screens' time follows
// the wall clock: as many periods as have passed since the last frame, rounded
// to the nearest and with the remainder carried to the next frame, but at most
// `max_steps` a frame. A slow machine thus sees a fade last its second, while a
// frame that came very late moves it by no more than `max_steps` periods and
// what it held back is dropped.
class Frame_steps
{
public:
    static constexpr int max_steps = 4;

    explicit Frame_steps(double period_seconds) : _period(period_seconds) {}

    // The steps for a frame at `now_seconds` on a steady clock. The first frame
    // runs one step.
    int steps_at(double now_seconds);

private:
    double _period;
    double _last = 0.0;
    double _owed = 0.0;
    bool _started = false;
};

#endif
