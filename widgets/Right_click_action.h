#ifndef WIDGETS_RIGHT_CLICK_ACTION_H
#define WIDGETS_RIGHT_CLICK_ACTION_H

#include <functional>
#include <string>

// What a right click on a button or slider runs: the callback with its string
// argument when one is set, else the plain callback.
class Right_click_action
{
public:
    void set(std::function<void(std::string const&)> const& callback, std::string const& argument)
    {
        _string_callback = callback;
        _argument = argument;
    }

    void run() const
    {
        if (_string_callback)
            _string_callback(_argument);
        else if (_callback)
            _callback();
    }

private:
    std::function<void()> _callback;
    std::function<void(std::string const&)> _string_callback;
    std::string _argument;
};

#endif
