// What the editor shows, where, and when, and its small menus, without GL.
#include "screens/editor/Editor_layout.h"
#include "screens/editor/Editor_menus.h"

#include "foundation/Parameter.h"
#include "simulation/Level_data.h"

#include "support/Scripted_dialogs.h"
#include "support/Vector_expect.h"

#include <QDoubleSpinBox>
#include <QImage>
#include <QMenu>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace
{

float const aspect = 16.f / 9.f;

} // namespace

TEST(Editor_layout, the_palette_lists_every_kind_in_order_then_the_molecules_along_the_top)
{
    std::vector<Palette_entry> const palette = editor_palette(Level_data::available_element_kinds(), aspect);
    ASSERT_EQ(10u, palette.size());
    std::vector<std::string> names;
    for (Palette_entry const& entry : palette) names.push_back(entry.name);
    EXPECT_EQ((std::vector<std::string>{"Box_barrier", "Brownian_box", "Box_portal", "Sphere_portal",
                                        "Molecule_releaser", "Charged_barrier", "Tractor_barrier", "H2O", "Na", "Cl"}),
              names);
    for (size_t i = 0; i < palette.size(); ++i)
    {
        Palette_entry const& entry = palette[i];
        float const x = 0.05f + 0.06f * float(i);
        expect_near(Eigen::Vector3f(x, 0.95f, 0.f), entry.position);
        expect_near(Eigen::Vector2f(0.04f, 0.04f * aspect), entry.size);
        expect_near(Eigen::Vector3f(x, 0.85f, 0.f), entry.count_position);
        expect_near(Eigen::Vector2f(0.04f, 0.1f), entry.count_size);
        EXPECT_EQ("textures/button_" + entry.name + ".png", entry.image);
        EXPECT_EQ(i >= 7, entry.molecule) << entry.name;
    }
    EXPECT_EQ("Blocking box which repels molecules", palette[0].tooltip);
    EXPECT_EQ("Water molecule\n(Right click for number to be added)", palette[7].tooltip);
    EXPECT_EQ("Negatively charged chlorine atom (Cl-)\n(Right click for number to be added)", palette[9].tooltip);

    std::vector<Palette_entry> const molecules_only = editor_palette({}, aspect);
    ASSERT_EQ(3u, molecules_only.size());
    expect_near(Eigen::Vector3f(0.05f, 0.95f, 0.f), molecules_only[0].position);
    expect_near(Eigen::Vector3f(0.17f, 0.95f, 0.f), molecules_only[2].position);
}

TEST(Editor_layout, tooltips_are_the_palettes_own_and_empty_for_anything_else)
{
    EXPECT_EQ("Positively charged sodium atom (Na+)", get_element_tooltip("Na"));
    EXPECT_EQ("Heating/cooling element allowing to add or remove heat locally", get_element_tooltip("Brownian_box"));
    EXPECT_EQ("Charged box to attract/repel charged molecules (like Na+ and Cl-)",
              get_element_tooltip("Charged_barrier"));
    EXPECT_EQ("Pushing/pulling element to move molecules along a direction", get_element_tooltip("Tractor_barrier"));
    EXPECT_EQ("Sphere portal to capture molecules", get_element_tooltip("Sphere_portal"));
    EXPECT_EQ("", get_element_tooltip("Moving_box_barrier"));
    EXPECT_EQ("", get_element_tooltip(""));
}

TEST(Editor_layout, buttons_and_sliders_sit_where_the_designer_expects_them)
{
    std::vector<Editor_icon_button> const icons = editor_icon_buttons(aspect);
    ASSERT_EQ(3u, icons.size());
    EXPECT_EQ(Editor_icon_button::Toggle_simulation, icons[0].action);
    EXPECT_EQ("Pause/continue the simulation", icons[0].tooltip);
    expect_near(Eigen::Vector3f(0.95f, 0.95f, 0.f), icons[0].position);
    expect_near(Eigen::Vector3f(0.89f, 0.95f, 0.f), icons[1].position);
    EXPECT_EQ("textures/button_reset_camera.png", icons[1].image);
    expect_near(Eigen::Vector3f(0.83f, 0.95f, 0.f), icons[2].position);
    EXPECT_EQ("Change game speed", icons[2].tooltip);

    std::vector<Editor_text_button> const texts = editor_text_buttons(aspect);
    std::vector<std::string> labels;
    for (Editor_text_button const& button : texts)
    {
        labels.push_back(button.text);
        expect_near(Eigen::Vector2f(0.15f, 0.05f * aspect), button.size);
        EXPECT_FLOAT_EQ(0.05f, button.position.y());
    }
    EXPECT_EQ((std::vector<std::string>{"Hide Controls", "Show Controls", "Reset", "Clear", "Show Adv. Options",
                                        "Hide Adv. Options", "Load Defaults"}),
              labels);
    EXPECT_FLOAT_EQ(texts[0].position.x(), texts[1].position.x());
    EXPECT_FLOAT_EQ(texts[4].position.x(), texts[5].position.x());
    EXPECT_EQ("Reset and delete all non-persistent elements", texts[2].tooltip);

    std::vector<Editor_slider> const sliders = editor_sliders();
    ASSERT_EQ(8u, sliders.size());
    EXPECT_EQ("Temperature", sliders[0].name);
    EXPECT_EQ("Overall temperature control, things start moving fast and randomly when it is hot\n"
              "(Right click for numerical input)",
              sliders[0].tooltip);
    EXPECT_EQ("gravity", sliders[2].parameter);
    EXPECT_FALSE(sliders[2].advanced);
    EXPECT_EQ("Atomic Force Type/Van der Waals Force/Strength", sliders[5].parameter);
    EXPECT_TRUE(sliders[5].in_core_list);
    EXPECT_EQ("textures/slider_waals.png", sliders[5].image);
    EXPECT_TRUE(sliders[3].advanced);
    EXPECT_FALSE(sliders[7].in_core_list);
    for (size_t i = 1; i < sliders.size(); ++i) EXPECT_LT(sliders[i].position.y(), sliders[i - 1].position.y());
    Editor_label const caption = advanced_controls_label();
    EXPECT_GT(caption.position.y(), sliders[3].position.y()) << "over the advanced sliders";
    EXPECT_LT(caption.position.y(), sliders[2].position.y());
}

TEST(Editor_view, hiding_the_controls_collapses_the_advanced_options_and_one_of_each_pair_shows)
{
    auto const shown = [](Editor_view const& view) {
        std::string flags;
        for (Editor_group group : {Editor_group::Controls, Editor_group::Advanced, Editor_group::Show_controls,
                                   Editor_group::Show_advanced, Editor_group::Hide_advanced})
            flags += view.shows(group) ? '1' : '0';
        return flags;
    };
    Editor_view view;
    view.hide_advanced(); // as the editor opens
    EXPECT_EQ("10010", shown(view));
    view.show_advanced();
    EXPECT_EQ("11001", shown(view));
    view.hide_controls();
    EXPECT_EQ("00100", shown(view));
    view.show_controls();
    EXPECT_EQ("10010", shown(view)) << "the advanced options stay collapsed";
    view.show_advanced();
    view.hide_advanced();
    EXPECT_EQ("10010", shown(view));
}

TEST(Editor_menus, the_slider_menu_names_the_range_and_keeps_a_value_typed_in_a_small_one)
{
    EXPECT_EQ("Temperature (Min: -50, Max: 50)", slider_menu_text("Temperature", -50.f, 50.f));
    EXPECT_EQ("Van der Waals Force (Min: 0.001, Max: 1)", slider_menu_text("Van der Waals Force", 0.001f, 1.f));
    EXPECT_EQ(2, decimals_for_range(-50.f, 50.f));
    EXPECT_EQ(2, decimals_for_range(0.f, 10.f));
    EXPECT_GE(decimals_for_range(0.001f, 1.f), 3);
    EXPECT_GE(decimals_for_range(0.f, 0.05f), 4) << "a thousandth of the range";
    EXPECT_EQ(2, decimals_for_range(3.f, 3.f));

    Scripted_dialogs dialogs;
    Parameter strength("Strength", 0.2f, 0.001f, 1.f);
    dialogs.menus.push_back([](QMenu& menu) {
        auto* box = Scripted_dialogs::row_widget<QDoubleSpinBox>(menu, "Van der Waals Force (Min: 0.001, Max: 1)");
        EXPECT_NE(nullptr, box);
        if (box)
        {
            EXPECT_DOUBLE_EQ(0.2, box->value());
            EXPECT_NEAR((1.0 - 0.001) / 50.0, box->singleStep(), 1e-9);
            box->setValue(0.005);
        }
        return nullptr;
    });
    EXPECT_NEAR(0.005f, ask_slider_value("Van der Waals Force", strength, QPoint()), 1e-6f);

    dialogs.menus.push_back([](QMenu& menu) {
        if (auto* box = Scripted_dialogs::row_widget<QDoubleSpinBox>(menu, "Temperature (Min: -50, Max: 50)"))
            box->setValue(80.0);
        return nullptr;
    });
    Parameter temperature("Temperature", 0.f, -50.f, 50.f);
    EXPECT_FLOAT_EQ(50.f, ask_slider_value("Temperature", temperature, QPoint())) << "never outside the range";
}

TEST(Editor_menus, the_molecule_count_menu_takes_one_to_a_thousand)
{
    Scripted_dialogs dialogs;
    EXPECT_EQ(3, ask_molecules_per_click("H2O", 3, QPoint())) << "closed untouched";
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("run_menu", dialogs.calls[0].kind);
    EXPECT_EQ("Number of H2O molecules to place", dialogs.calls[0].text);

    for (int typed : {0, 27, 5000})
    {
        dialogs.menus.push_back([typed](QMenu& menu) {
            if (auto* box = Scripted_dialogs::row_widget<QSpinBox>(menu, "Number of Na molecules to place"))
                box->setValue(typed);
            return nullptr;
        });
    }
    EXPECT_EQ(1, ask_molecules_per_click("Na", 3, QPoint()));
    EXPECT_EQ(27, ask_molecules_per_click("Na", 3, QPoint()));
    EXPECT_EQ(1000, ask_molecules_per_click("Na", 3, QPoint()));
}

TEST(Editor_data, every_button_and_slider_image_loads_with_room_to_see_through)
{
    QString const data = TEST_FIXTURE_DIR "/../data/";
    std::vector<std::string> images{"textures/button_play.png"};
    for (Palette_entry const& entry : editor_palette(Level_data::available_element_kinds(), aspect))
        images.push_back(entry.image);
    for (Editor_slider const& slider : editor_sliders()) images.push_back(slider.image);
    ASSERT_EQ(1u + 10u + 8u, images.size());
    for (std::string const& file : images)
    {
        QImage const image(data + QString::fromStdString(file));
        ASSERT_FALSE(image.isNull()) << file;
        EXPECT_TRUE(image.hasAlphaChannel()) << file;
        EXPECT_EQ(0, qAlpha(image.pixel(0, 0))) << file << ": rounded, so the corners are clear";
    }
}
