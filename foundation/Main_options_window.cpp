#include "foundation/Main_options_window.h"

#include "foundation/Parameter_widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QScrollArea>
#include <QVBoxLayout>

#include <iostream>

namespace
{

char const* const window_title = "Main Options";

QVBoxLayout* make_tight_layout(QWidget* widget)
{
    QVBoxLayout* layout = new QVBoxLayout(widget);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    return layout;
}

} // namespace

void scale_font_down(QWidget* widget)
{
    QFont font = widget->font();
    if (font.pointSize() <= 0) return;
    font.setPointSize(int(font.pointSize() * 0.9));
    widget->setFont(font);
}

Main_options_window* Main_options_window::instance()
{
    static Main_options_window* window = new Main_options_window;
    return window;
}

Main_options_window::Main_options_window() : _window(new QScrollArea)
{
    _window->setWidgetResizable(true);
    _window->setWindowFlags(_window->windowFlags() | Qt::Tool);
    _window->setWindowTitle(window_title);
    _options_frame = create_options_widget();
    _window->setWidget(_options_frame);
}

QFrame* Main_options_window::create_options_widget()
{
    std::cout << "create_options_widget()" << std::endl;

    QFrame* frame = new QFrame;
    frame->setWindowTitle(window_title);
    scale_font_down(frame);
    make_tight_layout(frame);
    return frame;
}

QGroupBox* Main_options_window::add_parameter_list(std::string const& name, Parameter_list const& list)
{
    std::cout << "Main_options_window::add_parameter_list" << std::endl;

    if (_group_boxes.count(name))
    {
        std::cout << "Main_options_window::add_parameter_list widget already existed: " << name << std::endl;
        remove_parameter_list(name);
    }

    QGroupBox* box = new QGroupBox(QString::fromStdString(name));
    scale_font_down(box);
    QVBoxLayout* layout = make_tight_layout(box);
    create_parameter_list_widgets(list, layout);

    _options_frame->layout()->addWidget(box);
    _group_boxes[name] = box;
    return box;
}

void Main_options_window::remove_parameter_list(std::string const& name)
{
    auto const found = _group_boxes.find(name);
    if (found == _group_boxes.end()) return;

    QWidget* box = found->second;
    box->hide();
    _options_frame->layout()->removeWidget(box);
    // Takes the editors with it, and with them their bridges.
    delete box;
    _group_boxes.erase(found);
}

void Main_options_window::remove_parameter_list(std::string const& name, QGroupBox const* box)
{
    auto const found = _group_boxes.find(name);
    if (box && found != _group_boxes.end() && found->second == box) remove_parameter_list(name);
}

void Main_options_window::show()
{
    _window->show();
    _window->raise();
}
