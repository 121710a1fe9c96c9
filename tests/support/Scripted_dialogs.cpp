#include "support/Scripted_dialogs.h"

Scripted_dialogs::Scripted_dialogs()
{
    Dialogs::set_instance(this);
}

Scripted_dialogs::~Scripted_dialogs()
{
    Dialogs::set_instance(nullptr);
}

void Scripted_dialogs::warning(QString const& title, QString const& text, QWidget*)
{
    calls.push_back({"warning", title, text});
}

void Scripted_dialogs::critical(QString const& title, QString const& text, QWidget*)
{
    calls.push_back({"critical", title, text});
}

bool Scripted_dialogs::ask_yes_no(QString const& title, QString const& text, QWidget*)
{
    calls.push_back({"ask_yes_no", title, text});
    return next_answer();
}

bool Scripted_dialogs::ask_ok_cancel(QString const& title, QString const& text, QWidget*)
{
    calls.push_back({"ask_ok_cancel", title, text});
    return next_answer();
}

QString Scripted_dialogs::open_file_name(QString const& caption, QString const& directory, QString const& filter,
                                         QWidget*)
{
    calls.push_back({"open_file_name", caption, directory + " " + filter});
    return next_file_name();
}

QString Scripted_dialogs::save_file_name(QString const& caption, QString const& directory, QString const& filter,
                                         QWidget*)
{
    calls.push_back({"save_file_name", caption, directory + " " + filter});
    return next_file_name();
}

QColor Scripted_dialogs::choose_color(QColor const& initial, QWidget*)
{
    calls.push_back({"choose_color", QString(), initial.name(QColor::HexArgb)});
    if (colors.empty()) return QColor();
    QColor const color = colors.front();
    colors.pop_front();
    return color;
}

bool Scripted_dialogs::next_answer()
{
    if (answers.empty()) return false;
    bool const answer = answers.front();
    answers.pop_front();
    return answer;
}

QString Scripted_dialogs::next_file_name()
{
    if (file_names.empty()) return QString();
    QString const name = file_names.front();
    file_names.pop_front();
    return name;
}
