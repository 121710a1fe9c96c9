#include "foundation/Main_options_window.h"
#include "foundation/Parameter_list.h"

#include "support/Capture_stdout.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QPointer>
#include <QScrollArea>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{

QLayout* options_layout()
{
    return Main_options_window::instance()->get_options_frame()->layout();
}

QGroupBox* last_box()
{
    QLayout* layout = options_layout();
    return qobject_cast<QGroupBox*>(layout->itemAt(layout->count() - 1)->widget());
}

// The boxes' titles from top to bottom.
QStringList box_titles()
{
    QStringList titles;
    QLayout* layout = options_layout();
    for (int i = 0; i < layout->count(); ++i)
    {
        if (QGroupBox* box = qobject_cast<QGroupBox*>(layout->itemAt(i)->widget())) titles << box->title();
    }
    return titles;
}

struct Options_lists : ::testing::Test
{
    Options_lists() : speed("speed", 1.f, 0.f, 2.f, [this] { ++calls; }), running("running", true)
    {
        core.add(&speed);
        core.add(&running);
        level.add(&running);
    }

    ~Options_lists() override
    {
        Capture_stdout quiet;
        for (char const* name : {"Core", "Level Data"}) Main_options_window::instance()->remove_parameter_list(name);
    }

    int calls = 0;
    Parameter speed, running;
    Parameter_list core, level;
};

} // namespace

TEST_F(Options_lists, the_window_is_a_titled_tool_window)
{
    Capture_stdout quiet;
    QScrollArea* window = Main_options_window::instance()->get_window();
    EXPECT_EQ("Main Options", window->windowTitle());
    EXPECT_EQ("Main Options", Main_options_window::instance()->get_options_frame()->windowTitle());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window->widgetResizable());
    EXPECT_FALSE(window->isVisible());

    Main_options_window::instance()->show();
    EXPECT_TRUE(window->isVisible());
    window->hide();
}

TEST_F(Options_lists, registering_a_name_again_replaces_its_box_at_the_bottom)
{
    Capture_stdout out;
    Main_options_window* options = Main_options_window::instance();
    QPointer<QGroupBox> first = options->add_parameter_list("Core", core);
    options->add_parameter_list("Level Data", level);
    QGroupBox* second = options->add_parameter_list("Core", core);

    EXPECT_THAT(out.text(), HasSubstr("Main_options_window::add_parameter_list widget already existed: Core\n"));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ((QStringList{"Level Data", "Core"}), box_titles());
    EXPECT_EQ(second, last_box());
    EXPECT_EQ(1u, speed._listeners.size());
    EXPECT_EQ(2u, running._listeners.size()) << "one editor per box showing it";
}

TEST_F(Options_lists, the_window_edits_the_lists_and_follows_their_changes)
{
    Capture_stdout quiet;
    QGroupBox* box = Main_options_window::instance()->add_parameter_list("Core", core);
    QDoubleSpinBox* spin_box = box->findChild<QDoubleSpinBox*>();
    ASSERT_NE(nullptr, spin_box);

    spin_box->setValue(1.5);
    EXPECT_FLOAT_EQ(1.5f, speed.get_value<float>());
    EXPECT_EQ(1, calls);

    running.set_value_no_update(false);
    EXPECT_FALSE(box->findChild<QCheckBox*>()->isChecked());
}

TEST_F(Options_lists, removing_a_list_deletes_its_box_and_editors)
{
    Capture_stdout quiet;
    Main_options_window* options = Main_options_window::instance();
    int const boxes_before = options_layout()->count();
    QPointer<QGroupBox> box = options->add_parameter_list("Core", core);

    options->remove_parameter_list("Core");

    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(boxes_before, options_layout()->count());
    EXPECT_TRUE(speed._listeners.empty());
    EXPECT_TRUE(running._listeners.empty());
    speed.set_value_no_update(0.5f);
    running.set_value_no_update(false);

    options->remove_parameter_list("Never registered");
    EXPECT_EQ(boxes_before, options_layout()->count());
}

TEST_F(Options_lists, an_owner_removes_only_the_box_it_put_up)
{
    Capture_stdout quiet;
    Main_options_window* options = Main_options_window::instance();
    QPointer<QGroupBox> old_owners = options->add_parameter_list("Core", core);
    QPointer<QGroupBox> new_owners = options->add_parameter_list("Core", level);
    EXPECT_TRUE(old_owners.isNull());

    options->remove_parameter_list("Core", old_owners); // the old owner going after the new one came
    ASSERT_FALSE(new_owners.isNull());
    EXPECT_TRUE(box_titles().contains("Core"));

    options->remove_parameter_list("Core", new_owners);
    EXPECT_TRUE(new_owners.isNull());
    EXPECT_FALSE(box_titles().contains("Core"));
}

namespace
{

QStringList qt_warnings;

void collect_qt_warning(QtMsgType, QMessageLogContext const&, QString const& message)
{
    qt_warnings << message;
}

} // namespace

TEST(Main_options_window_fonts, point_sizes_shrink_and_pixel_sizes_stay)
{
    QWidget points, pixels;
    QFont font = points.font();
    font.setPointSize(10);
    points.setFont(font);
    font.setPixelSize(13);
    pixels.setFont(font);

    qt_warnings.clear();
    QtMessageHandler const previous = qInstallMessageHandler(collect_qt_warning);
    scale_font_down(&points);
    scale_font_down(&pixels);
    qInstallMessageHandler(previous);

    EXPECT_EQ(9, points.font().pointSize());
    EXPECT_EQ(13, pixels.font().pixelSize());
    EXPECT_TRUE(qt_warnings.isEmpty()) << qt_warnings.join("\n").toStdString();
}
