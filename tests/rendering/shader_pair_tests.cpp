#include "support/Gl_test.h"
#include "support/Shader_pairs.h"

#include <QOpenGLShaderProgram>

#include <regex>

namespace
{

QString game_file(std::string const& relative)
{
    return QString(TEST_FIXTURE_DIR "/../data/") + QString::fromStdString(relative);
}

std::string pair_name(::testing::TestParamInfo<Shader_pair> const& info)
{
    auto stem = [](std::string const& file) {
        std::string name = file.substr(file.rfind('/') + 1);
        return std::regex_replace(name, std::regex("[^A-Za-z0-9]"), "_");
    };
    return stem(info.param.vertex) + "_with_" + stem(info.param.fragment);
}

} // namespace

class Game_shader_pair : public Gl_test, public ::testing::WithParamInterface<Shader_pair>
{
};

TEST_P(Game_shader_pair, compiles_links_and_keeps_the_names_the_game_sets)
{
    Shader_pair const& pair = GetParam();
    QOpenGLShaderProgram program;
    ASSERT_TRUE(program.addShaderFromSourceFile(QOpenGLShader::Vertex, game_file(pair.vertex)))
        << program.log().toStdString();
    for (std::string const& fragment : pair.linked_fragments)
        ASSERT_TRUE(program.addShaderFromSourceFile(QOpenGLShader::Fragment, game_file(fragment)))
            << program.log().toStdString();
    ASSERT_TRUE(program.addShaderFromSourceFile(QOpenGLShader::Fragment, game_file(pair.fragment)))
        << program.log().toStdString();
    ASSERT_TRUE(program.link()) << program.log().toStdString();
    for (std::string const& uniform : pair.uniforms)
        EXPECT_GE(program.uniformLocation(uniform.c_str()), 0) << "uniform " << uniform;
    for (std::string const& attribute : pair.attributes)
        EXPECT_GE(program.attributeLocation(attribute.c_str()), 0) << "attribute " << attribute;
}

INSTANTIATE_TEST_SUITE_P(Every_program, Game_shader_pair, ::testing::ValuesIn(game_shader_pairs()), pair_name);
