#ifndef FOUNDATION_DIALOGS_H
#define FOUNDATION_DIALOGS_H

#include <QColor>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

// Every modal dialog the game opens goes through here, so that tests can answer
// them in place of a user. The default shows Qt's dialogs with the given texts.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Boxes with an OK button.
    virtual void information(QString const& title, QString const& text, QWidget* parent = nullptr);
    virtual void warning(QString const& title, QString const& text, QWidget* parent = nullptr);
    virtual void critical(QString const& title, QString const& text, QWidget* parent = nullptr);
    // A warning told once while this instance lives (a run of the game): a
    // second call under the same key says nothing.
    void warning_once(QString const& key, QString const& title, QString const& text, QWidget* parent = nullptr);

    // A warning box with Yes and No; true on Yes.
    virtual bool ask_yes_no(QString const& title, QString const& text, QWidget* parent = nullptr);
    // A question box with OK and Cancel; true on OK.
    virtual bool ask_ok_cancel(QString const& title, QString const& text, QWidget* parent = nullptr);

    // A warning box with the given action buttons and Cancel: the index of the
    // button chosen, or -1 for Cancel (and for a box closed otherwise).
    virtual int ask_choice(QString const& title, QString const& text, QStringList const& buttons,
                           QWidget* parent = nullptr);

    // The chosen path, or an empty string when the dialog was cancelled. A name
    // typed without the filter's extension is taken with it when only the
    // name with it exists (see existing_file_name).
    virtual QString open_file_name(QString const& caption, QString const& directory, QString const& filter,
                                   QWidget* parent = nullptr);
    virtual QString save_file_name(QString const& caption, QString const& directory, QString const& filter,
                                   QWidget* parent = nullptr);

    // An invalid colour when the dialog was cancelled.
    virtual QColor choose_color(QColor const& initial, QWidget* parent = nullptr);

    // Runs the menu at a global position until it closes: the action chosen, or
    // null when it closed without one. Widgets in the menu keep what was entered.
    virtual QAction* run_menu(QMenu& menu, QPoint const& position);

    static Dialogs& instance();
    // Not owned; null brings back Qt's dialogs.
    static void set_instance(Dialogs* dialogs);

private:
    QSet<QString> _told;
};

// The file a name typed without an extension means: the name itself when it
// exists or when the name with "." + `extension` does not, else the latter.
// A name with an extension is taken as it is.
QString existing_file_name(QString const& typed, QString const& extension);

#endif
