#include "foundation/Parameter_list.h"
#include "foundation/Parameter_widgets.h"

#include "support/Capture_stdout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using ::testing::HasSubstr;

namespace
{

template <typename Editor> Editor* editor_of(QWidget* widget)
{
    if (Editor* editor = qobject_cast<Editor*>(widget)) return editor;
    return widget ? widget->findChild<Editor*>() : nullptr;
}

// Made by create_parameter_widget, deleted at the end of the scope.
std::unique_ptr<QWidget> editor_widget(Parameter& parameter)
{
    Capture_stdout quiet;
    return std::unique_ptr<QWidget>(create_parameter_widget(&parameter));
}

// As the window system delivers it: spontaneous, so the application hands an
// ignored wheel on to the parents.
void turn_wheel(QWidget* widget, int delta)
{
    QPoint const local = widget->rect().center();
    QWheelEvent wheel(local, widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(widget, &wheel);
}

void press_enter(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

// Parameters of every kind that count their callbacks.
struct One_of_each_kind : ::testing::Test
{
    One_of_each_kind() { name.set_value_no_update(std::string("ab")); }

    int calls = 0;
    std::function<void()> count_call = [this] { ++calls; };
    Parameter flag{"flag", false, count_call}, count{"count", 3, 0, 10, count_call};
    Parameter speed{"speed", 2.5f, 0.f, 10.f, count_call}, choice{"choice", 0, {"a", "b"}, count_call};
    Parameter name{"name", false, count_call};
};

} // namespace

TEST(Parameter_editors, each_kind_of_parameter_gets_its_editor)
{
    int pressed = 0;
    Parameter flag("Use midpoint", true), count("Steps", 3, 0, 10), speed("Speed", 2.5f, 0.f, 10.f);
    Parameter label("Label", false), choice("Renderer", 1, {"Editor Renderer", "Shader Renderer"});
    label.set_value_no_update(std::string("water"));
    Parameter button;
    button._name = "Reset";
    button._special_type = Parameter::Button;
    button._callback = [&] { ++pressed; };
    Parameter numbers;
    numbers._name = "Numbers";
    numbers._special_type = Parameter::List;
    numbers._value_list = {1.5f, 2.f, 1e7f};
    Parameter odd("Odd", true);
    odd._special_type = 7;

    auto flag_widget = editor_widget(flag);
    ASSERT_NE(nullptr, qobject_cast<QCheckBox*>(flag_widget.get()));
    EXPECT_EQ("Use midpoint", qobject_cast<QCheckBox*>(flag_widget.get())->text());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(flag_widget.get())->isChecked());

    auto count_widget = editor_widget(count);
    ASSERT_NE(nullptr, editor_of<QSpinBox>(count_widget.get()));
    EXPECT_EQ("Steps", editor_of<QLabel>(count_widget.get())->text());
    EXPECT_EQ(3, editor_of<QSpinBox>(count_widget.get())->value());
    EXPECT_EQ(10, editor_of<QSpinBox>(count_widget.get())->maximum());

    auto speed_widget = editor_widget(speed);
    ASSERT_NE(nullptr, editor_of<QDoubleSpinBox>(speed_widget.get()));
    EXPECT_DOUBLE_EQ(2.5, editor_of<QDoubleSpinBox>(speed_widget.get())->value());

    auto label_widget = editor_widget(label);
    ASSERT_NE(nullptr, editor_of<QLineEdit>(label_widget.get()));
    EXPECT_EQ("water", editor_of<QLineEdit>(label_widget.get())->text());

    auto choice_widget = editor_widget(choice);
    QComboBox* combo = editor_of<QComboBox>(choice_widget.get());
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(2, combo->count());
    EXPECT_EQ(1, combo->currentIndex());
    EXPECT_EQ("Renderer", editor_of<QLabel>(choice_widget.get())->text());

    auto numbers_widget = editor_widget(numbers);
    QComboBox* number_combo = editor_of<QComboBox>(numbers_widget.get());
    ASSERT_NE(nullptr, number_combo);
    EXPECT_EQ("1.5", number_combo->itemText(0));
    EXPECT_EQ("2", number_combo->itemText(1));
    EXPECT_EQ("1e+07", number_combo->itemText(2));

    auto button_widget = editor_widget(button);
    QPushButton* push = qobject_cast<QPushButton*>(button_widget.get());
    ASSERT_NE(nullptr, push);
    EXPECT_EQ("Reset", push->text());
    push->click();
    EXPECT_EQ(1, pressed);

    EXPECT_EQ(nullptr, editor_widget(odd));
}

TEST_F(One_of_each_kind, a_user_edit_sets_the_value_and_runs_the_callback_once)
{

    auto flag_widget = editor_widget(flag);
    qobject_cast<QCheckBox*>(flag_widget.get())->click();
    EXPECT_TRUE(flag.get_value<bool>());
    EXPECT_EQ(1, calls);

    auto speed_widget = editor_widget(speed);
    QDoubleSpinBox* speed_box = editor_of<QDoubleSpinBox>(speed_widget.get());
    speed_box->selectAll();
    QTest::keyClicks(speed_box, "7.25");
    EXPECT_FLOAT_EQ(2.5f, speed.get_value<float>()) << "a value is taken only when confirmed";
    press_enter(speed_box);
    EXPECT_FLOAT_EQ(7.25f, speed.get_value<float>());
    EXPECT_EQ(2, calls);

    auto count_widget = editor_widget(count);
    QSpinBox* count_box = editor_of<QSpinBox>(count_widget.get());
    count_box->selectAll();
    QTest::keyClicks(count_box, "8");
    press_enter(count_box);
    EXPECT_EQ(8, count.get_value<int>());
    EXPECT_EQ(3, calls);

    auto choice_widget = editor_widget(choice);
    editor_of<QComboBox>(choice_widget.get())->setCurrentIndex(1);
    EXPECT_EQ(1, choice._index);
    EXPECT_EQ("b", choice.get_value<std::string>());
    EXPECT_EQ(4, calls);

    auto name_widget = editor_widget(name);
    QLineEdit* line = editor_of<QLineEdit>(name_widget.get());
    line->setCursorPosition(1);
    QTest::keyClick(line, Qt::Key_X);
    EXPECT_EQ("axb", name.get_value<std::string>());
    EXPECT_EQ(5, calls);
    EXPECT_EQ(2, line->cursorPosition()) << "typing in the middle keeps the cursor in place";
}

TEST_F(One_of_each_kind, changes_from_code_show_without_running_callbacks)
{
    auto flag_widget = editor_widget(flag), count_widget = editor_widget(count), speed_widget = editor_widget(speed);
    auto choice_widget = editor_widget(choice), name_widget = editor_widget(name);

    flag.set_value_no_update(true);
    count.set_value_no_update(7);
    count.set_min_max(0, 20);
    speed.set_value_no_update(4.f);
    choice.set_value_no_update(std::string("b"));
    name.set_value_no_update(std::string("cd"));

    EXPECT_TRUE(qobject_cast<QCheckBox*>(flag_widget.get())->isChecked());
    EXPECT_EQ(7, editor_of<QSpinBox>(count_widget.get())->value());
    EXPECT_EQ(20, editor_of<QSpinBox>(count_widget.get())->maximum());
    EXPECT_DOUBLE_EQ(4.0, editor_of<QDoubleSpinBox>(speed_widget.get())->value());
    EXPECT_EQ(1, editor_of<QComboBox>(choice_widget.get())->currentIndex());
    EXPECT_EQ("cd", editor_of<QLineEdit>(name_widget.get())->text());
    EXPECT_EQ(0, calls);

    // A file merge runs the callback itself; the editor only follows.
    Parameter loaded_speed("speed", 6.f, 0.f, 10.f);
    Parameter_list list, loaded;
    list.add(&speed);
    loaded.add(&loaded_speed);
    list.load(loaded);
    EXPECT_DOUBLE_EQ(6.0, editor_of<QDoubleSpinBox>(speed_widget.get())->value());
    EXPECT_EQ(1, calls);
}

TEST(Parameter_editors, float_spin_boxes_take_decimals_and_step_from_the_range)
{
    Parameter fine("fine", 0.0015f, 0.001f, 1.f), coarse("coarse", 5.f, -10.f, 100.f), wide("wide", 1.f, 0.f, 20000.f);
    auto fine_widget = editor_widget(fine), coarse_widget = editor_widget(coarse), wide_widget = editor_widget(wide);
    QDoubleSpinBox* fine_box = editor_of<QDoubleSpinBox>(fine_widget.get());
    QDoubleSpinBox* coarse_box = editor_of<QDoubleSpinBox>(coarse_widget.get());

    EXPECT_EQ(4, fine_box->decimals());
    EXPECT_NEAR(0.000999, fine_box->singleStep(), 1e-7);
    EXPECT_NEAR(0.0015, fine_box->value(), 1e-9);
    EXPECT_NEAR(0.001, fine_box->minimum(), 1e-9);

    EXPECT_EQ(1, coarse_box->decimals());
    EXPECT_NEAR(0.11, coarse_box->singleStep(), 1e-6);
    EXPECT_DOUBLE_EQ(-10.0, coarse_box->minimum());

    EXPECT_EQ(0, editor_of<QDoubleSpinBox>(wide_widget.get())->decimals());
}

TEST(Parameter_editors, the_wheel_scrolls_the_window_until_the_spin_box_has_focus)
{
    int calls = 0;
    Parameter count("count", 5, 0, 10, [&] { ++calls; });
    QScrollArea area;
    QWidget* content = new QWidget;
    QVBoxLayout* layout = new QVBoxLayout(content);
    layout->addWidget(editor_widget(count).release());
    layout->addSpacing(3000);
    area.setWidget(content);
    area.resize(300, 200);
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    QSpinBox* spin_box = content->findChild<QSpinBox*>();
    spin_box->clearFocus(); // activation gave it the focus

    turn_wheel(spin_box, -120);
    EXPECT_EQ(5, count.get_value<int>());
    EXPECT_GT(area.verticalScrollBar()->value(), 0);

    spin_box->setFocus(Qt::MouseFocusReason);
    turn_wheel(spin_box, -120);
    EXPECT_EQ(4, count.get_value<int>());
    EXPECT_EQ(1, calls);

    spin_box->clearFocus();
    turn_wheel(spin_box, -120);
    EXPECT_EQ(4, count.get_value<int>());
}

TEST(Parameter_editors, an_exception_from_a_callback_stays_inside_the_slot)
{
    Parameter flag("flag", false, [] { throw std::runtime_error("overheated"); });
    auto widget = editor_widget(flag);

    Capture_stdout out;
    EXPECT_NO_THROW(qobject_cast<QCheckBox*>(widget.get())->click());
    EXPECT_TRUE(flag.get_value<bool>());
    EXPECT_THAT(out.text(), HasSubstr("overheated"));
}

TEST(Parameter_editors, a_deleted_editor_stops_listening)
{
    Parameter speed("speed", 1.f, 0.f, 2.f), flag("flag", true);
    auto speed_widget = editor_widget(speed);
    auto flag_widget = editor_widget(flag);
    ASSERT_EQ(1u, speed._listeners.size());

    speed_widget.reset();
    flag_widget.reset();

    EXPECT_TRUE(speed._listeners.empty());
    EXPECT_TRUE(flag._listeners.empty());
    speed.set_value_no_update(1.5f);
}
