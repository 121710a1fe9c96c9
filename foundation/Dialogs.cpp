#include "foundation/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace
{

Dialogs* replacement = nullptr;

} // namespace

void Dialogs::information(QString const& title, QString const& text, QWidget* parent)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void Dialogs::warning(QString const& title, QString const& text, QWidget* parent)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void Dialogs::critical(QString const& title, QString const& text, QWidget* parent)
{
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

bool Dialogs::ask_yes_no(QString const& title, QString const& text, QWidget* parent)
{
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool Dialogs::ask_ok_cancel(QString const& title, QString const& text, QWidget* parent)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

int Dialogs::ask_choice(QString const& title, QString const& text, QStringList const& buttons, QWidget* parent)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, parent);
    std::vector<QAbstractButton*> choices;
    for (QString const& button : buttons) choices.push_back(box.addButton(button, QMessageBox::ActionRole));
    box.exec();
    for (size_t i = 0; i < choices.size(); ++i)
        if (box.clickedButton() == choices[i]) return int(i);
    return -1;
}

QString Dialogs::open_file_name(QString const& caption, QString const& directory, QString const& filter,
                                QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString Dialogs::save_file_name(QString const& caption, QString const& directory, QString const& filter,
                                QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

QColor Dialogs::choose_color(QColor const& initial, QWidget* parent)
{
    return QColorDialog::getColor(initial, parent);
}

QAction* Dialogs::run_menu(QMenu& menu, QPoint const& position)
{
    return menu.exec(position);
}

Dialogs& Dialogs::instance()
{
    static Dialogs qt_dialogs;
    return replacement ? *replacement : qt_dialogs;
}

void Dialogs::set_instance(Dialogs* dialogs)
{
    replacement = dialogs;
}
