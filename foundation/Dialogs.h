#ifndef FOUNDATION_DIALOGS_H
#define FOUNDATION_DIALOGS_H

#include <QString>

// Every modal dialog the game opens goes through here, so that tests can answer
// them in place of a user. The default shows Qt's dialogs.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A warning box with an OK button.
    virtual void warning(QString const& title, QString const& text);

    static Dialogs& instance();
    // Not owned; null brings back Qt's dialogs.
    static void set_instance(Dialogs* dialogs);
};

#endif
