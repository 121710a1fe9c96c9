#ifndef FOUNDATION_NOTIFIABLE_H
#define FOUNDATION_NOTIFIABLE_H

// Anything that mirrors a value (an editing widget, an in-game widget) and must
// resynchronise when that value changes elsewhere.
class Notifiable
{
public:
    virtual ~Notifiable() = default;
    virtual void notify() = 0;
};

#endif
