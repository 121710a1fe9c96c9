#ifndef FOUNDATION_WIDGET_TEXT_COMBINATION_H
#define FOUNDATION_WIDGET_TEXT_COMBINATION_H

#include <QWidget>

class QLabel;

// A text to the left of a widget, for rows of menus.
class Widget_text_combination : public QWidget
{
    Q_OBJECT

public:
    Widget_text_combination(QString const& text, QWidget* widget, QWidget* parent = nullptr);

    QLabel* get_label() const { return _label; }
    QWidget* get_widget() const { return _widget; }

private:
    QLabel* _label;
    QWidget* _widget;
};

#endif
