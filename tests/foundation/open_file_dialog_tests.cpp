// Qt's own open dialog, typed into as a player types: the game's default
// Dialogs, not the scripted stand-in.
#include "foundation/Dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

class Open_file_dialog_test : public ::testing::Test
{
protected:
    void make(QString const& name) { QFile(dir.filePath(name)).open(QIODevice::WriteOnly); }
    std::string path(QString const& name) const { return dir.filePath(name).toStdString(); }

    // Types `name` into the dialog and presses Return, or clicks "Open". A box
    // the dialog raises in answer is noted and closed, and the dialog then
    // cancelled, as it is when "Open" does nothing.
    std::string typed_into_dialog(QString const& name, bool by_button = false)
    {
        bool typed = false;
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            QWidget* const modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
            {
                refusals << box->text();
                box->reject();
                return;
            }
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;
            if (typed)
            {
                dialog->reject();
                return;
            }
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            if (!edit) return;
            typed = true;
            QTest::keyClicks(edit, name);
            QPushButton* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            // From an event of its own: a box it raises runs while this timer goes on.
            QTimer::singleShot(0, edit, [edit, open, by_button] {
                if (by_button)
                    QTest::mouseClick(open, Qt::LeftButton);
                else
                    QTest::keyClick(edit, Qt::Key_Return);
            });
        });
        player.start(20);
        return Dialogs::instance().open_file_name("Load Level", dir.path(), "State File (*.data)").toStdString();
    }

    QTemporaryDir dir;
    QStringList refusals;
};

} // namespace

TEST_F(Open_file_dialog_test, a_name_typed_without_its_extension_opens_the_file_saved_under_it)
{
    make("mylevel.data");
    EXPECT_EQ(path("mylevel.data"), typed_into_dialog("mylevel"));
    EXPECT_EQ(path("mylevel.data"), typed_into_dialog("mylevel", true));
    EXPECT_TRUE(refusals.isEmpty()) << refusals.join("; ").toStdString();

    // A file of the bare name is the one meant; a name with an extension is
    // taken as typed.
    make("mylevel");
    EXPECT_EQ(path("mylevel"), typed_into_dialog("mylevel"));
    make("old.level.data");
    EXPECT_EQ("", typed_into_dialog("old.level"));
    EXPECT_EQ(1, refusals.size());
}
