#include "app/My_viewer.h"

#include "app/Game_help.h"
#include "app/Handler_guard.h"
#include "foundation/Main_options_window.h"
#include "simulation/Core.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cxxabi.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <typeinfo>

namespace
{

std::string class_name(Screen const& screen)
{
    char const* mangled = typeid(screen).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? demangled.get() : mangled;
}

} // namespace

bool My_viewer::offer_to_screens(std::function<bool(Screen&)> const& offer)
{
    makeCurrent();
    return screens.offer_pointer_event(offer);
}

bool My_viewer::offer_after_press(std::function<bool(Screen&)> const& offer)
{
    makeCurrent();
    return screens.offer_to_press_taker(offer) || screens.offer_pointer_event(offer);
}

void My_viewer::mousePressEvent(QMouseEvent* event)
{
    run_guarded("My_viewer::mousePressEvent", [this, event] {
        makeCurrent();
        if (screens.offer_press([event](Screen& screen) { return screen.mousePressEvent(event); })) return;
        if (event->button() == Qt::RightButton && (event->modifiers() & Qt::AltModifier) &&
            show_context_menu(event->pos()))
            return;
        Options_viewer::mousePressEvent(event);
    });
}

void My_viewer::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt delivers the second press of a quick double click as a double click;
    // the screen that took the first takes it as the press it is.
    run_guarded("My_viewer::mouseDoubleClickEvent", [this, event] {
        makeCurrent();
        if (!screens.offer_to_press_taker([event](Screen& screen) { return screen.mousePressEvent(event); }))
            Options_viewer::mouseDoubleClickEvent(event);
    });
}

void My_viewer::mouseMoveEvent(QMouseEvent* event)
{
    run_guarded("My_viewer::mouseMoveEvent", [this, event] {
        auto const offer = [event](Screen& screen) { return screen.mouseMoveEvent(event); };
        bool const taken = event->buttons() == Qt::NoButton ? offer_to_screens(offer) : offer_after_press(offer);
        if (!taken) Options_viewer::mouseMoveEvent(event);
    });
}

void My_viewer::mouseReleaseEvent(QMouseEvent* event)
{
    run_guarded("My_viewer::mouseReleaseEvent", [this, event] {
        if (!offer_after_press([event](Screen& screen) { return screen.mouseReleaseEvent(event); }))
            Options_viewer::mouseReleaseEvent(event);
    });
}

void My_viewer::wheelEvent(QWheelEvent* event)
{
    run_guarded("My_viewer::wheelEvent", [this, event] {
        if (!offer_to_screens([event](Screen& screen) { return screen.wheelEvent(event); }))
            Options_viewer::wheelEvent(event);
    });
}

void My_viewer::keyPressEvent(QKeyEvent* event)
{
    run_guarded("My_viewer::keyPressEvent", [this, event] {
        makeCurrent();
        bool taken = screens.offer_key_event([event](Screen& screen) { return screen.keyPressEvent(event); });
        // Escape would close the window through the library's own binding.
        if (event->key() == Qt::Key_Escape) taken = true;
        if (run_debug_key(event) || taken) return;
        Options_viewer::keyPressEvent(event);
    });
}

bool My_viewer::run_debug_key(QKeyEvent* event)
{
    Qt::KeyboardModifiers const modifiers = event->modifiers();
    bool const ctrl = modifiers & Qt::ControlModifier;
    bool const shift = modifiers & Qt::ShiftModifier;

    switch (event->key())
    {
    case Qt::Key_S:
        if (ctrl || shift) return false;
        print_screen_stack();
        return true;
    case Qt::Key_F10:
        std::cout << "My_viewer::keyPressEvent core.gl_init()" << std::endl;
        makeCurrent();
        _core->gl_init(context());
        return true;
    case Qt::Key_O:
        if (ctrl && shift) Main_options_window::instance()->show();
        return true;
    default:
        return false;
    }
}

void My_viewer::print_screen_stack() const
{
    std::cout << "My_viewer::keyPressEvent Screen Stack" << std::endl;
    for (Screen const* screen : screens.screens())
        std::cout << class_name(*screen) << " state: " << screen->get_state() << " ptr: " << screen << std::endl;
}

void My_viewer::closeEvent(QCloseEvent* event)
{
    bool ending = true;
    run_guarded("My_viewer::closeEvent", [&] { ending = end_game(true); });
    if (!ending)
    {
        event->ignore();
        return;
    }
    Options_viewer::closeEvent(event);
    QCoreApplication::quit();
}

QString My_viewer::helpString() const
{
    return game_help_text();
}

QString My_viewer::keyboardString() const
{
    return game_keys_text();
}

QString My_viewer::mouseString() const
{
    return game_mouse_text();
}
