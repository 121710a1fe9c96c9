#include "app/Screen_stack.h"

#include <algorithm>

Screen_stack::~Screen_stack() = default;

void Screen_stack::add(Screen* screen)
{
    _screens.emplace_front(screen);
    ++_changes;
}

void Screen_stack::queue(Screen* screen)
{
    _pending.emplace_back(screen);
}

void Screen_stack::replace(Screen* screen)
{
    kill_all();
    add(screen);
}

void Screen_stack::kill_all()
{
    for (Screen* screen : screens()) screen->kill();
}

void Screen_stack::clear()
{
    _screens.clear();
    ++_changes;
}

void Screen_stack::step(float dt)
{
    if (_walks == 0) remove_closed();

    {
        Walk walk(_walks);
        for (Screen* screen : screens())
        {
            screen->update_state(dt);
            screen->process_events();
        }
    }

    std::vector<std::unique_ptr<Screen>> pending;
    pending.swap(_pending);
    for (std::unique_ptr<Screen>& screen : pending) add(screen.release());
}

void Screen_stack::remove_closed()
{
    auto const closed = [](std::unique_ptr<Screen> const& screen) { return screen->get_state() == Screen::Closed; };
    auto const end = std::remove_if(_screens.begin(), _screens.end(), closed);
    if (end == _screens.end()) return;
    _screens.erase(end, _screens.end());
    ++_changes;
}

std::vector<Screen*> Screen_stack::drawing_order() const
{
    std::vector<Screen*> order;
    for (Screen* screen : screens())
    {
        if (screen->get_state() == Screen::Closed) continue;
        order.push_back(screen);
        if (screen->has_flag(Screen::Covers_below)) break;
    }
    std::reverse(order.begin(), order.end());
    return order;
}

void Screen_stack::draw()
{
    Walk walk(_walks);
    for (Screen* screen : drawing_order())
    {
        screen->prepare_gl_functions();
        screen->draw();
    }
}

void Screen_stack::resize(QSize const& size)
{
    Walk walk(_walks);
    for (Screen* screen : screens()) screen->resize(size);
}

bool Screen_stack::offer_pointer_event(std::function<bool(Screen&)> const& offer_to)
{
    return offer(offer_to, false);
}

bool Screen_stack::offer_key_event(std::function<bool(Screen&)> const& offer_to)
{
    return offer(offer_to, true);
}

bool Screen_stack::offer_press(std::function<bool(Screen&)> const& offer_to)
{
    Screen* taker = nullptr;
    _press_taken = offer(offer_to, false, &taker);
    _press_taker = taker;
    return _press_taken;
}

bool Screen_stack::offer_to_press_taker(std::function<bool(Screen&)> const& offer_to)
{
    if (!_press_taken) return false;
    Screen* const taker = _press_taker.data();
    bool const on_stack = std::any_of(_screens.begin(), _screens.end(),
                                      [taker](std::unique_ptr<Screen> const& screen) { return screen.get() == taker; });
    if (!taker || !on_stack) return true;
    // Hidden or on its way out, it has handed over to the screen it opened.
    int const state = taker->get_state();
    if (state != Screen::Shown && state != Screen::Fading_in) return true;
    Walk walk(_walks);
    offer_to(*taker);
    return true;
}

bool Screen_stack::offer(std::function<bool(Screen&)> const& offer_to, bool include_closing, Screen** taker)
{
    Walk walk(_walks);
    unsigned const changes_before = _changes;
    for (Screen* screen : screens())
    {
        int const state = screen->get_state();
        if (!include_closing && (state == Screen::Closing || state == Screen::Closed)) continue;
        if (offer_to(*screen) || _changes != changes_before)
        {
            if (taker) *taker = screen;
            return true;
        }
        if (screen->has_flag(Screen::Blocks_input)) return false;
    }
    return false;
}

std::vector<Screen*> Screen_stack::screens() const
{
    std::vector<Screen*> all;
    all.reserve(_screens.size());
    for (std::unique_ptr<Screen> const& screen : _screens) all.push_back(screen.get());
    return all;
}
