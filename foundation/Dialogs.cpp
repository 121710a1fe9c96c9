#include "foundation/Dialogs.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include <vector>

namespace
{

Dialogs* replacement = nullptr;

// The extension of the filter's first pattern: "data" for "State File (*.data)".
QString filter_extension(QString const& filter)
{
    return QRegularExpression("\\*\\.(\\w+)").match(filter).captured(1);
}

// Qt's own dialog refuses a typed name that does not exist, and does not
// offer "Open" for it, even when the name with its extension exists.
class Open_file_dialog : public QFileDialog
{
public:
    Open_file_dialog(QWidget* parent, QString const& caption, QString const& directory, QString const& filter)
        : QFileDialog(parent, caption, directory, filter), _extension(filter_extension(filter))
    {
        setFileMode(QFileDialog::ExistingFile);
        // Qt's widgets, by the names its own form gives them; a native dialog has none.
        auto* name = findChild<QLineEdit*>("fileNameEdit");
        auto* buttons = findChild<QDialogButtonBox*>("buttonBox");
        QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        // After Qt's own answer to the text, which this overrules.
        if (name && open)
            connect(name, &QLineEdit::textChanged, open, [this, open] {
                if (extended_name()) open->setEnabled(true);
            });
    }

    void accept() override
    {
        setDefaultSuffix(extended_name() ? _extension : QString());
        QFileDialog::accept();
    }

private:
    // Whether the one name typed means the file with the extension added.
    bool extended_name()
    {
        setDefaultSuffix(QString());
        QStringList const typed = selectedFiles();
        return typed.size() == 1 && existing_file_name(typed.front(), _extension) != typed.front();
    }

    QString _extension;
};

} // namespace

QString existing_file_name(QString const& typed, QString const& extension)
{
    QString const extended = typed + "." + extension;
    bool const bare = QFileInfo(typed).suffix().isEmpty();
    if (typed.isEmpty() || !bare || extension.isEmpty() || QFileInfo::exists(typed) || !QFileInfo::exists(extended))
        return typed;
    return extended;
}

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

void Dialogs::warning_once(QString const& key, QString const& title, QString const& text, QWidget* parent)
{
    if (_told.contains(key)) return;
    _told.insert(key);
    warning(title, text, parent);
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
    Open_file_dialog dialog(parent, caption, directory, filter);
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
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
