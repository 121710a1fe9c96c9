#include "gl/GL_utilities.h"

#include "foundation/Logger.h"

#include "support/Capture_stdout.h"
#include "support/Gl_test.h"

#include <QDir>
#include <QFile>
#include <QGLShaderProgram>
#include <QGLWidget>
#include <QOpenGLShaderProgram>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace
{

char const* const valid_vertex = "#version 120\nvoid main() { gl_Position = ftransform(); }\n";
char const* const valid_fragment = "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n";
char const* const broken_vertex = "#version 120\nvoid main() { gl_Position = no_such_variable; }\n";
// Compiles on its own; only linking finds that nothing provides main.
char const* const fragment_without_main = "#version 120\nuniform float unused;\n";

// A critical message as the logger frames it, from this file's loader.
QRegularExpression framed_critical(QString const& body)
{
    return QRegularExpression(
        QRegularExpression::escape("\n*** Critical ***\nFile: GL_utilities fnc: init_program line: ") + "\\d+" +
        QRegularExpression::escape("\n" + body + "\n*** Critical Complete ***\n"));
}

class Shader_loading : public Gl_test
{
protected:
    QString write(QString const& name, char const* source)
    {
        QString const path = QDir(_dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source);
        return path;
    }

    QTemporaryDir _dir;
};

} // namespace

TEST_F(Shader_loading, context_program_prints_what_it_loads_and_its_logs)
{
    QGLContext const* context = widget()->context();
    QString const vertex = write("plain.vert", valid_vertex);
    QString const fragment = write("plain.frag", valid_fragment);
    {
        Capture_stdout out;
        std::unique_ptr<QGLShaderProgram> program(init_program(context, vertex, fragment));
        ASSERT_TRUE(program);
        EXPECT_TRUE(program->isLinked());
        EXPECT_EQ("Loading shader: " + vertex.toStdString() + " " + fragment.toStdString() + "\n", out.text());
    }

    QString const broken = write("broken.vert", broken_vertex);
    {
        Capture_stdout out;
        std::unique_ptr<QGLShaderProgram> program(init_program(context, broken, fragment));
        ASSERT_TRUE(program);
        std::string const loading = "Loading shader: " + broken.toStdString() + " " + fragment.toStdString() + "\n";
        std::string const complaint = "init_program: " + broken.toStdString() + " log: ";
        EXPECT_EQ(0u, out.text().find(loading + complaint));
        EXPECT_NE(std::string::npos, out.text().find("no_such_variable"));
        // The fragment shader compiled: the vertex shader's log is not its to repeat.
        EXPECT_EQ(std::string::npos, out.text().find(fragment.toStdString() + " log:")) << out.text();
    }

    QString const mainless = write("mainless.frag", fragment_without_main);
    {
        Capture_stdout out;
        std::unique_ptr<QGLShaderProgram> program(init_program(context, vertex, mainless));
        ASSERT_TRUE(program);
        EXPECT_FALSE(program->isLinked());
        std::string const expected = "Loading shader: " + vertex.toStdString() + " " + mainless.toStdString() +
                                     "\ninit_program link: " + program->log().toStdString();
        EXPECT_EQ(expected, out.text());
    }
}

// The sphere programs share their shading: a fragment stage linked from a file
// with main and one with the function it declares.
TEST_F(Shader_loading, context_program_links_its_fragment_stage_from_several_files)
{
    QGLContext const* context = widget()->context();
    QString const vertex = write("plain.vert", valid_vertex);
    QString const caller = write("caller.frag", "#version 330 compatibility\nvec4 shade();\n"
                                                "void main() { gl_FragColor = shade(); }\n");
    QString const shading = write("shading.frag", "#version 330 compatibility\nuniform vec4 tint;\n"
                                                  "vec4 shade() { return tint; }\n");
    Capture_stdout out;
    std::unique_ptr<QGLShaderProgram> linked(init_program(context, vertex, QStringList{caller, shading}));
    EXPECT_TRUE(linked->isLinked()) << out.text();
    EXPECT_GE(linked->uniformLocation("tint"), 0);
    EXPECT_EQ(0u, out.text().find("Loading shader: " + vertex.toStdString() + " " + caller.toStdString() + " " +
                                  shading.toStdString() + "\n"));

    std::unique_ptr<QGLShaderProgram> alone(init_program(context, vertex, caller));
    EXPECT_FALSE(alone->isLinked());
    EXPECT_NE(std::string::npos, out.text().find("init_program link: ")) << out.text();
}

TEST_F(Shader_loading, current_context_program_also_logs_criticals_to_the_log_file)
{
    QString const log_path = QDir(_dir.path()).filePath("log.txt");
    Logger::instance()->init(log_path);

    QString const vertex = write("plain.vert", valid_vertex);
    QString const fragment = write("plain.frag", valid_fragment);
    QString const mainless = write("mainless.frag", fragment_without_main);
    QString const broken = write("broken.vert", broken_vertex);

    std::string printed;
    QString link_log;
    {
        Capture_stdout out;
        std::unique_ptr<QOpenGLShaderProgram> good(init_program(vertex, fragment));
        EXPECT_TRUE(good->isLinked());
        std::unique_ptr<QOpenGLShaderProgram> unlinked(init_program(vertex, mainless));
        EXPECT_FALSE(unlinked->isLinked());
        link_log = unlinked->log();
        std::unique_ptr<QOpenGLShaderProgram> uncompiled(init_program(broken, fragment));
        printed = out.text();
    }
    qInstallMessageHandler(nullptr);

    // The good program prints its loading line and nothing else.
    std::string const first_two = "Loading shader (V, F): " + vertex.toStdString() + " " + fragment.toStdString() +
                                  "\nLoading shader (V, F): " + vertex.toStdString() + " " + mainless.toStdString() +
                                  "\ninit_program link: " + link_log.toStdString();
    EXPECT_EQ(0u, printed.find(first_two)) << printed;
    EXPECT_NE(std::string::npos, printed.find("init_program " + broken.toStdString() + " log: "));
    EXPECT_EQ(std::string::npos, printed.find("init_program " + fragment.toStdString() + " log: "));

    QFile file(log_path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString const logged = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(logged.contains(framed_critical("Linking log: " + vertex + " " + mainless + " log: " + link_log)))
        << logged.toStdString();
    EXPECT_TRUE(logged.contains(
        QRegularExpression("Vertex shader log: " + QRegularExpression::escape(broken) + "\nlog: .*no_such_variable")))
        << logged.toStdString();
    EXPECT_FALSE(logged.contains("Fragment shader log: "));
}
