#ifndef APP_EVENT_H
#define APP_EVENT_H

// One scripted step queued on a screen, such as a tutorial hint. The screen
// triggers its front event once per frame until the event says it is done.
class Event
{
public:
    virtual ~Event() = default;

    // True when the step is complete and the event may be deleted.
    virtual bool trigger() = 0;
};

#endif
