#include "foundation/Class_registry.h"
#include "foundation/Flat_color_shader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace
{

struct Shape
{
    virtual ~Shape() = default;
    virtual int corners() const = 0;
};

struct Triangle : Shape
{
    static std::string name() { return "Triangle"; }
    static Shape* create() { return new Triangle; }
    int corners() const override { return 3; }
};

struct Square : Shape
{
    static std::string name() { return "Square"; }
    static Shape* create() { return new Square; }
    int corners() const override { return 4; }
};

Parameter_list make_square_parameters()
{
    Parameter_list list;
    list.add(new Parameter("Strength", 0.1f, 0.001f, 1.f, [] {}));
    list.add(new Parameter("Radius Factor", 1.4f, 0.5f, 2.f, [] {}));
    return list;
}

// Registered the way the plug-in headers do it: before main, at namespace scope.
Class_registrator<Shape, Square> const square_registrator(Square::create, make_square_parameters());
Class_registrator<Shape, Triangle> const triangle_registrator(Triangle::create, Parameter_list());

struct Other_base
{
    virtual ~Other_base() = default;
};

struct Third_base
{
    virtual ~Third_base() = default;
};

} // namespace

TEST(Class_registry, registrations_made_before_main_create_fresh_objects_by_name)
{
    Class_registry<Shape>& registry = Class_registry<Shape>::instance();

    EXPECT_EQ((std::vector<std::string>{"Square", "Triangle"}), registry.get_names());
    std::unique_ptr<Shape> first(registry.create("Square"));
    std::unique_ptr<Shape> second(registry.create("Square"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(4, first->corners());
    EXPECT_EQ(nullptr, registry.create("Hexagon"));
    EXPECT_EQ(nullptr, registry.create("square"));
}

TEST(Class_registry, names_are_in_byte_order_and_registering_again_replaces)
{
    struct Probe : Other_base
    {
        explicit Probe(int id) : id(id) {}
        int id;
    };
    Class_registry<Other_base>& registry = Class_registry<Other_base>::instance();
    registry.register_class(
        "alpha", [] { return new Probe(1); }, Parameter_list());
    registry.register_class(
        "Zeta", [] { return new Probe(2); }, Parameter_list());
    registry.register_class(
        "Beta", [] { return new Probe(3); }, Parameter_list());
    registry.register_class(
        "alpha", [] { return new Probe(4); }, Parameter_list());

    EXPECT_EQ((std::vector<std::string>{"Beta", "Zeta", "alpha"}), registry.get_names());
    std::unique_ptr<Other_base> alpha(registry.create("alpha"));
    EXPECT_EQ(4, static_cast<Probe*>(alpha.get())->id);
}

TEST(Class_registry, default_lists_are_numbered_by_name_without_callbacks)
{
    Parameter_list& defaults = Class_registry<Shape>::instance().get_default_parameters("Square");

    ASSERT_EQ(2u, defaults._list.size());
    EXPECT_EQ(0, defaults["Radius Factor"]->_order_index);
    EXPECT_EQ(1, defaults["Strength"]->_order_index);
    EXPECT_FALSE(defaults["Strength"]->_callback);
    EXPECT_FALSE(defaults["Radius Factor"]->_callback);
    EXPECT_FLOAT_EQ(0.001f, defaults["Strength"]->get_min<float>());
}

TEST(Class_registry, base_parameters_come_first_and_unknown_names_get_an_empty_list)
{
    Class_registry<Third_base>& registry = Class_registry<Third_base>::instance();
    Parameter base("Base", true);
    Parameter_list base_list;
    base_list.add(&base);
    Parameter alpha("Alpha", 1, 0, 2);
    Parameter_list class_list;
    class_list.add(&alpha);

    registry.register_class(
        "Circle", [] { return nullptr; }, class_list, base_list);

    Parameter_list& defaults = registry.get_default_parameters("Circle");
    EXPECT_EQ(0, defaults["Base"]->_order_index);
    EXPECT_EQ(1, defaults["Alpha"]->_order_index);

    EXPECT_TRUE(registry.get_default_parameters("Nothing")._list.empty());
    EXPECT_EQ(&registry.get_default_parameters("Nothing"), &registry.get_default_parameters("Nothing"));
}

TEST(Flat_color_shader, sources_keep_their_exact_text)
{
    EXPECT_EQ(133u, std::strlen(flat_color_fragment_shader_source));
    EXPECT_EQ(88u, std::strlen(flat_color_vertex_shader_source));
    std::string const fragment = flat_color_fragment_shader_source;
    EXPECT_EQ(0u, fragment.find("#version 120\n        uniform vec3 color;        void main(void)"));
    EXPECT_NE(std::string::npos, fragment.find("gl_FragColor = vec4(color, 1.0);        }        "));
}
