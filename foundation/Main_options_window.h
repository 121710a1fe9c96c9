#ifndef FOUNDATION_MAIN_OPTIONS_WINDOW_H
#define FOUNDATION_MAIN_OPTIONS_WINDOW_H

#include <string>
#include <unordered_map>

class Parameter_list;
class QFrame;
class QGroupBox;
class QScrollArea;
class QWidget;

// The hidden developer window that edits every registered parameter list, one
// group box per list. Owners remove their list before destroying it.
class Main_options_window
{
public:
    // Made on first use and never deleted: its widgets must not outlive the
    // application object, which ends before static objects do.
    static Main_options_window* instance();

    // A list registered again under the same name moves to the bottom.
    QGroupBox* add_parameter_list(std::string const& name, Parameter_list const& list);
    void remove_parameter_list(std::string const& name);
    // Only while the list under the name is still the one that put up `box`, so
    // that a later owner under the same name keeps its list. Hold the box in a
    // QPointer: a box replaced since is null, and null removes nothing.
    void remove_parameter_list(std::string const& name, QGroupBox const* box);

    void show();

    QScrollArea* get_window() const { return _window; }
    QFrame* get_options_frame() const { return _options_frame; }

private:
    Main_options_window();
    Main_options_window(Main_options_window const&) = delete;
    Main_options_window& operator=(Main_options_window const&) = delete;

    QFrame* create_options_widget();

    QScrollArea* _window;
    QFrame* _options_frame;
    std::unordered_map<std::string, QWidget*> _group_boxes;
};

// Nine tenths of the widget's point size; fonts given in pixels have none and
// stay as they are.
void scale_font_down(QWidget* widget);

#endif
