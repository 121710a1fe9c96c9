#include "foundation/Dialogs.h"

#include <QMessageBox>

namespace
{

Dialogs* replacement = nullptr;

} // namespace

void Dialogs::warning(QString const& title, QString const& text)
{
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
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
