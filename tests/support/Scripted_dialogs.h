#ifndef TESTS_SCRIPTED_DIALOGS_H
#define TESTS_SCRIPTED_DIALOGS_H

#include "foundation/Dialogs.h"

#include <deque>
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

    void warning(QString const& title, QString const& text, QWidget* parent) override;
    void critical(QString const& title, QString const& text, QWidget* parent) override;
    bool ask_yes_no(QString const& title, QString const& text, QWidget* parent) override;
    bool ask_ok_cancel(QString const& title, QString const& text, QWidget* parent) override;
    QString open_file_name(QString const& caption, QString const& directory, QString const& filter,
                           QWidget* parent) override;
    QString save_file_name(QString const& caption, QString const& directory, QString const& filter,
                           QWidget* parent) override;
    QColor choose_color(QColor const& initial, QWidget* parent) override;

    std::deque<bool> answers;
    std::deque<QString> file_names;
    std::deque<QColor> colors;
    std::vector<Call> calls;

private:
    bool next_answer();
    QString next_file_name();
};

#endif
