#include "foundation/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace
{

Dialogs* replacement = nullptr;

} // namespace

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

Dialogs& Dialogs::instance()
{
    static Dialogs qt_dialogs;
    return replacement ? *replacement : qt_dialogs;
}

void Dialogs::set_instance(Dialogs* dialogs)
{
    replacement = dialogs;
}
