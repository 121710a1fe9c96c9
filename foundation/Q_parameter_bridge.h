#ifndef FOUNDATION_Q_PARAMETER_BRIDGE_H
#define FOUNDATION_Q_PARAMETER_BRIDGE_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Parameter;
class QFrame;
class QWidget;

// Carries edits from a Qt widget into its parameter. The typed bridges derived
// from it also carry the parameter's changes back into the widget.
class Q_parameter_bridge : public QObject
{
    Q_OBJECT

public:
    // Bridges without a widget of their own (buttons, the type selector of a
    // single-select list) are given their widget as parent and die with it.
    explicit Q_parameter_bridge(Parameter* parameter, QObject* parent = nullptr);

public slots:
    void set_int(int value);
    void set_float(float value);
    void set_double(double value);
    void set_bool(bool value);
    void set_bool_from_int(int value);
    void set_string(QString const& value);
    void do_callback();
    void set_from_index(int index);
    void handle_widget_destroyed();
    QWidget* get_widget() const { return _widget; }

protected:
    // Ties the bridge's life to the outer widget that layouts receive.
    void set_widget(QWidget* widget);

    Parameter* _parameter;
    QWidget* _widget = nullptr;

private:
    // A slot is the boundary to Qt's event loop: nothing may be thrown past it.
    void guarded(char const* slot, std::function<void()> const& action);
    void run_callback();
    template <typename T> void set_and_call_back(char const* slot, T const& value);
};

// The texts a combo box shows for a parameter's choices: each entry as a standard
// stream writes it (bools as 0 or 1, floats with six significant digits).
QStringList choice_texts(Parameter const& parameter);

// The frame of the labelled editors: the name in column 0, the editor in column 1.
QFrame* make_labelled_frame(QString const& name, QWidget* editor);

#endif
