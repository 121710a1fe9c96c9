#ifndef TESTS_SCRIPTED_DIALOGS_H
#define TESTS_SCRIPTED_DIALOGS_H

#include "foundation/Dialogs.h"

#include <QWidget>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Stands in for the user while it lives: answers every dialog from the queued
// answers (No, Cancel, an empty name or an invalid colour once they run out) and
// records what was asked.
class Scripted_dialogs : public Dialogs
{
public:
    struct Call
    {
        std::string kind; // the Dialogs function that was called
        QString title;
        QString text; // the box's text, or the file dialog's directory and filter
    };

    Scripted_dialogs();
    ~Scripted_dialogs() override;

    void information(QString const& title, QString const& text, QWidget* parent) override;
    void warning(QString const& title, QString const& text, QWidget* parent) override;
    void critical(QString const& title, QString const& text, QWidget* parent) override;
    bool ask_yes_no(QString const& title, QString const& text, QWidget* parent) override;
    bool ask_ok_cancel(QString const& title, QString const& text, QWidget* parent) override;
    int ask_choice(QString const& title, QString const& text, QStringList const& buttons, QWidget* parent) override;
    QString open_file_name(QString const& caption, QString const& directory, QString const& filter,
                           QWidget* parent) override;
    QString save_file_name(QString const& caption, QString const& directory, QString const& filter,
                           QWidget* parent) override;
    QColor choose_color(QColor const& initial, QWidget* parent) override;
    // Records the menu's rows as its text, then lets the next queued hand work it.
    QAction* run_menu(QMenu& menu, QPoint const& position) override;

    // A row's text: the label of a widget row, else the action's own text.
    static QStringList menu_rows(QMenu const& menu);
    // The widget of the row whose label is `label`, or null.
    template <class Widget> static Widget* row_widget(QMenu const& menu, QString const& label);

    std::deque<bool> answers;
    // Button indices for ask_choice; -1 (Cancel) once they run out.
    std::deque<int> choices;
    // What the user does in each menu: the action to choose, or null to close it.
    std::deque<std::function<QAction*(QMenu&)>> menus;
    std::deque<QString> file_names;
    std::deque<QColor> colors;
    std::vector<Call> calls;

private:
    bool next_answer();
    QString next_file_name();
    static QWidget* find_row_widget(QMenu const& menu, QString const& label);
};

template <class Widget> Widget* Scripted_dialogs::row_widget(QMenu const& menu, QString const& label)
{
    return qobject_cast<Widget*>(find_row_widget(menu, label));
}

#endif
