#include "foundation/Combo_switcher.h"
#include "foundation/FoldableGroupBox.h"
#include "foundation/Parameter_list.h"
#include "foundation/Parameter_widgets.h"

#include "support/Capture_stdout.h"
#include "support/Child_lists_freed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// A parent widget filled the way the options windows fill theirs.
std::unique_ptr<QWidget> widgets_for(Parameter_list const& list)
{
    Capture_stdout quiet;
    auto parent = std::make_unique<QWidget>();
    create_parameter_list_widgets(list, new QVBoxLayout(parent.get()));
    return parent;
}

QStringList direct_group_box_titles(QWidget* parent)
{
    QStringList titles;
    for (QGroupBox* box : parent->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly))
        titles << box->title();
    return titles;
}

} // namespace

TEST(Parameter_list_widgets, parameters_show_in_display_order_and_hidden_ones_not_at_all)
{
    Parameter zeta("zeta", true), alpha("alpha", false), secret("secret", true), gamma("gamma", 1.f, 0.f, 2.f);
    secret._hidden = true;
    Parameter_list list;
    Child_lists_freed const freed(list);
    list.add(&zeta);
    list.add(&alpha);
    list.add(&secret);
    list.add_child("Child")->add(&gamma);

    auto parent = widgets_for(list);

    QList<QCheckBox*> boxes = parent->findChildren<QCheckBox*>();
    ASSERT_EQ(2, boxes.size());
    QLayout* layout = parent->layout();
    EXPECT_EQ("zeta", qobject_cast<QCheckBox*>(layout->itemAt(0)->widget())->text());
    EXPECT_EQ("alpha", qobject_cast<QCheckBox*>(layout->itemAt(1)->widget())->text());
    QGroupBox* child = qobject_cast<QGroupBox*>(layout->itemAt(2)->widget());
    ASSERT_NE(nullptr, child);
    EXPECT_EQ("Child", child->title());
    EXPECT_FALSE(child->isCheckable());
    EXPECT_NE(nullptr, child->findChild<QDoubleSpinBox*>());
}

TEST(Parameter_list_widgets, multi_select_children_are_checkable_boxes_bound_to_multi_enable)
{
    int calls = 0;
    Parameter coulomb_on("multi_enable", true, [&] { ++calls; }), vdw_on("multi_enable", false);
    Parameter coulomb_strength("Strength", 1.f, 1.f, 200.f), vdw_strength("Strength", 0.1f, 0.001f, 1.f);
    Parameter_list core;
    Child_lists_freed const freed(core);
    Parameter_list* forces = core.add_child("Atomic Force Type", Parameter_list::Multi_select);
    Parameter_list* coulomb = forces->add_child("Coulomb Force");
    coulomb->add(&coulomb_on);
    coulomb->add(&coulomb_strength);
    Parameter_list* vdw = forces->add_child("Van der Waals Force");
    vdw->add(&vdw_on);
    vdw->add(&vdw_strength);

    auto parent = widgets_for(*forces);

    EXPECT_EQ((QStringList{"Coulomb Force", "Van der Waals Force"}), direct_group_box_titles(parent.get()));
    QList<QGroupBox*> boxes = parent->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_TRUE(boxes[0]->isCheckable());
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_FALSE(boxes[1]->isChecked());
    EXPECT_TRUE(parent->findChildren<QCheckBox*>().isEmpty()) << "multi_enable has no editor of its own";
    EXPECT_EQ(2, parent->findChildren<QDoubleSpinBox*>().size());

    boxes[0]->setChecked(false);
    EXPECT_FALSE(coulomb_on.get_value<bool>());
    EXPECT_EQ(1, calls);

    vdw_on.set_value_no_update(true);
    EXPECT_TRUE(boxes[1]->isChecked());
}

TEST(Parameter_list_widgets, single_select_shows_only_the_chosen_child)
{
    int calls = 0;
    Parameter type("type", 1, {"Editor Renderer", "Shader Renderer"}, [&] { ++calls; });
    Parameter editor_scale("scale", 1.f, 0.1f, 10.f), shader_scale("scale", 2.f, 0.1f, 10.f);
    Parameter_list renderer;
    Child_lists_freed const freed(renderer);
    renderer._children_type = Parameter_list::Single_select;
    renderer.add(&type);
    renderer.add_child("Editor Renderer")->add(&editor_scale);
    renderer.add_child("Shader Renderer")->add(&shader_scale);

    auto parent = widgets_for(renderer);

    Combo_switcher* switcher = parent->findChild<Combo_switcher*>();
    ASSERT_NE(nullptr, switcher);
    EXPECT_EQ(1, parent->layout()->count()) << "the type parameter gets no editor besides the switcher";
    std::vector<QWidget*> const& boxes = switcher->get_sub_widgets();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Shader Renderer", qobject_cast<FoldableGroupBox*>(boxes[1])->title());
    EXPECT_TRUE(boxes[0]->isHidden());
    EXPECT_FALSE(boxes[1]->isHidden());
    EXPECT_DOUBLE_EQ(2.0, boxes[1]->findChild<QDoubleSpinBox*>()->value());

    switcher->get_combo_box()->setCurrentIndex(0);

    EXPECT_EQ(0, type._index);
    EXPECT_EQ("Editor Renderer", type.get_value<std::string>());
    EXPECT_EQ(1, calls);
    EXPECT_FALSE(boxes[0]->isHidden());
    EXPECT_TRUE(boxes[1]->isHidden());
}

TEST(Parameter_list_widgets, a_foldable_box_folds_on_a_press_on_its_vertical_title)
{
    FoldableGroupBox fixed("Fixed"), foldable("Foldable", true);
    for (FoldableGroupBox* box : {&fixed, &foldable})
    {
        box->resize(200, 200);
        box->show();
    }
    EXPECT_FALSE(foldable.get_title_label()->pixmap(Qt::ReturnByValue).isNull());

    auto press_title = [](FoldableGroupBox& box) {
        QPoint const inside = box.get_title_label()->geometry().center();
        QMouseEvent press(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &press);
    };

    press_title(foldable);
    EXPECT_FALSE(foldable.is_open());
    EXPECT_TRUE(foldable.get_content()->isHidden());
    press_title(foldable);
    EXPECT_TRUE(foldable.is_open());
    EXPECT_FALSE(foldable.get_content()->isHidden());

    press_title(fixed);
    EXPECT_TRUE(fixed.is_open());
}
