#include "rendering/Scene_renderers.h"

#include "support/Capture_stdout.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

Class_registry<World_renderer>& registry()
{
    return Class_registry<World_renderer>::instance();
}

} // namespace

TEST(Renderer_registry, lists_both_scene_renderers_with_a_scale_of_one)
{
    EXPECT_EQ((std::vector<std::string>{"Editor Renderer", "Shader Renderer"}), registry().get_names());
    EXPECT_TRUE(make_world_renderer_parameters()._list.empty());
    for (std::string const name : {"Editor Renderer", "Shader Renderer"})
    {
        Parameter_list& defaults = registry().get_default_parameters(name);
        ASSERT_EQ(1u, defaults._list.size()) << name;
        Parameter const& scale = *defaults._list.at("scale");
        EXPECT_FLOAT_EQ(1.f, scale.get_value<float>()) << name;
        EXPECT_FLOAT_EQ(0.1f, scale.get_min<float>()) << name;
        EXPECT_FLOAT_EQ(10.f, scale.get_max<float>()) << name;
    }
}

TEST(Renderer_registry, creates_a_new_renderer_of_the_named_class_on_every_call)
{
    Capture_stdout quiet;
    std::unique_ptr<World_renderer> const first(registry().create("Shader Renderer"));
    std::unique_ptr<World_renderer> const second(registry().create("Shader Renderer"));
    std::unique_ptr<World_renderer> const editor(registry().create("Editor Renderer"));
    EXPECT_NE(nullptr, dynamic_cast<Shader_renderer*>(first.get()));
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(nullptr, dynamic_cast<Editor_renderer*>(editor.get()));
    EXPECT_EQ(nullptr, registry().create("Ray Tracer"));
}

TEST(Renderer_parameters, scale_is_one_until_the_list_says_otherwise_and_a_list_without_it_is_quiet)
{
    Capture_stdout out;
    Shader_renderer shader;
    Editor_renderer editor;
    for (World_renderer* renderer : {static_cast<World_renderer*>(&shader), static_cast<World_renderer*>(&editor)})
    {
        EXPECT_FLOAT_EQ(1.f, renderer->get_scale());

        Parameter scale("scale", 2.5f, 0.1f, 10.f);
        Parameter_list list;
        list.add(&scale);
        renderer->set_parameters(list);
        EXPECT_FLOAT_EQ(2.5f, renderer->get_scale());

        std::string const before = out.text();
        renderer->set_parameters(Parameter_list());
        Parameter wrong_type("scale", 3, 0, 10);
        Parameter_list odd;
        odd.add(&wrong_type);
        renderer->set_parameters(odd);
        EXPECT_FLOAT_EQ(2.5f, renderer->get_scale());
        EXPECT_EQ(before, out.text());
    }
}
