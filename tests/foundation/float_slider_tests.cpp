#include "foundation/FloatSlider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolTip>

#include <gtest/gtest.h>

TEST(FloatSlider, carries_floats_as_positions_of_ten_thousandths)
{
    FloatSlider slider(0.1f, 10.f, 2.5f);
    EXPECT_EQ(1000, slider.minimum());
    EXPECT_EQ(100000, slider.maximum());
    EXPECT_EQ(25000, slider.value());
    EXPECT_EQ(Qt::Horizontal, slider.orientation());

    QSignalSpy moved(&slider, &FloatSlider::valueChanged);
    slider.setValue(30000);
    ASSERT_EQ(1, moved.count());
    EXPECT_FLOAT_EQ(3.f, moved.at(0).at(0).toFloat());

    slider.set_float_value(20.f);
    EXPECT_EQ(100000, slider.value()) << "clamped to the range";
    EXPECT_FLOAT_EQ(10.f, slider.get_float_value());
}

TEST(FloatSlider, the_tooltip_follows_the_handle_even_over_an_empty_range)
{
    FloatSlider slider(0.f, 2.f, 1.5f), stuck(1.f, 1.f, 1.f);
    for (FloatSlider* s : {&slider, &stuck})
    {
        s->resize(200, 20);
        s->show();
    }

    QPoint const origin = slider.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(origin + QPoint(150, -35), slider.tooltip_position());
    EXPECT_EQ(stuck.mapToGlobal(QPoint(0, 0)) + QPoint(0, -35), stuck.tooltip_position());

    QMouseEvent drag(QEvent::MouseMove, QPointF(10, 10), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&stuck, &drag);
    EXPECT_EQ("1", QToolTip::text());
    QToolTip::hideText();
}
