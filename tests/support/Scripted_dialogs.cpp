#include "support/Scripted_dialogs.h"

#include "foundation/Widget_text_combination.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidgetAction>

Scripted_dialogs::Scripted_dialogs()
{
    Dialogs::set_instance(this);
}

Scripted_dialogs::~Scripted_dialogs()
{
    Dialogs::set_instance(nullptr);
}

void Scripted_dialogs::information(QString const& title, QString const& text, QWidget*)
{
    calls.push_back({"information", title, text});
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

int Scripted_dialogs::ask_choice(QString const& title, QString const& text, QStringList const& buttons, QWidget*)
{
    calls.push_back({"ask_choice", title, text + "\n[" + buttons.join("|") + "]"});
    if (choices.empty()) return -1;
    int const choice = choices.front();
    choices.pop_front();
    return choice;
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

QAction* Scripted_dialogs::run_menu(QMenu& menu, QPoint const&)
{
    calls.push_back({"run_menu", menu.title(), menu_rows(menu).join("\n")});
    if (menus.empty()) return nullptr;
    std::function<QAction*(QMenu&)> const hand = menus.front();
    menus.pop_front();
    return hand ? hand(menu) : nullptr;
}

namespace
{

Widget_text_combination* row_of(QAction* action)
{
    auto* widget_action = qobject_cast<QWidgetAction*>(action);
    return widget_action ? qobject_cast<Widget_text_combination*>(widget_action->defaultWidget()) : nullptr;
}

} // namespace

QStringList Scripted_dialogs::menu_rows(QMenu const& menu)
{
    QStringList rows;
    for (QAction* action : menu.actions())
    {
        auto* widget_action = qobject_cast<QWidgetAction*>(action);
        if (Widget_text_combination* row = row_of(action))
            rows << row->get_label()->text();
        else if (auto* label = widget_action ? qobject_cast<QLabel*>(widget_action->defaultWidget()) : nullptr)
            rows << label->text();
        else
            rows << action->text();
    }
    return rows;
}

QWidget* Scripted_dialogs::find_row_widget(QMenu const& menu, QString const& label)
{
    for (QAction* action : menu.actions())
    {
        Widget_text_combination* row = row_of(action);
        if (row && row->get_label()->text() == label) return row->get_widget();
    }
    return nullptr;
}
