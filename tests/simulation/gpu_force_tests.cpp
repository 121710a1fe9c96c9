#include "simulation/Cpu_force.h"
#include "simulation/GPU_force.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Thermal_agitation.h"

#include "foundation/Data_config.h"

#include "Scattered_molecules.h"
#include "support/Capture_stdout.h"
#include "support/Gl_test.h"

#include <QDir>
#include <QGLWidget>
#include <QFile>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QTemporaryDir>

#include <array>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace
{

float const coulomb = 1.f;
float const vdw = 0.1f;
float const radius_factor = 1.4f;
Eigen::Vector2f const field(80.f, 40.f);

// The pass reads its shaders through the data paths, here from a scratch copy of
// the game's own.
class Gpu_force : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(QDir(_data.path()).mkpath("data/shaders"));
        for (char const* name : {"force_calc.vert", "force_calc.frag"})
        {
            ASSERT_TRUE(QFile::copy(QString(TEST_FIXTURE_DIR "/../data/shaders/") + name,
                                    _data.filePath(QString("data/shaders/") + name)));
        }
        Data_config::set_application_directory(_data.path());
        _force = std::make_unique<GPU_force>(16);
    }

    void TearDown() override { _force.reset(); }

    template <class Force>
    static std::vector<Eigen::Vector3f> forces_of(Force& force, std::list<Molecule> const& molecules, float time = 0.f)
    {
        Eigen::Vector3f const* forces = force.calc_forces(molecules, coulomb, vdw, radius_factor, time, field);
        int count = 0;
        for (Molecule const& molecule : molecules) count += int(molecule._atoms.size());
        return std::vector<Eigen::Vector3f>(forces, forces + count);
    }

    std::vector<Eigen::Vector3f> gpu_forces(std::list<Molecule> const& molecules, float time = 0.f)
    {
        return forces_of(*_force, molecules, time);
    }

    GLint integer(GLenum name) const
    {
        GLint value = 0;
        gl()->glGetIntegerv(name, &value);
        return value;
    }

    QTemporaryDir _data;
    std::unique_ptr<GPU_force> _force;
};

// Within a relative 1e-4 of the larger force, plus a little for forces near zero.
void expect_close(std::vector<Eigen::Vector3f> const& expected, std::vector<Eigen::Vector3f> const& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        float const tolerance = 1e-4f * std::max(expected[i].norm(), actual[i].norm()) + 1e-6f;
        EXPECT_LE((expected[i] - actual[i]).norm(), tolerance)
            << "atom " << i << ": " << expected[i].transpose() << " vs " << actual[i].transpose();
    }
}

// The pass's float arithmetic (its reciprocal square root in particular) may be a
// few units in the last place off the CPU's.
void expect_force(Eigen::Vector3f const& expected, Eigen::Vector3f const& actual)
{
    EXPECT_LE((expected - actual).norm(), 1e-5f * expected.norm()) << actual.transpose();
}

std::list<Molecule> sodium_row(int count)
{
    std::list<Molecule> row;
    for (int i = 0; i < count; ++i)
        row.push_back(create_na_molecule(Eigen::Vector3f(float(i % 64) * 6.f - 190.f, float(i / 64) * 6.f, 0.f)));
    return with_ids(row);
}

} // namespace

TEST_F(Gpu_force, known_pairs_come_back_with_their_signs_and_magnitudes)
{
    EXPECT_EQ(4066, _force->get_max_atoms());
    EXPECT_TRUE(_force->get_output_format() == GL_RGB32F || _force->get_output_format() == GL_RGBA32F);

    std::vector<Eigen::Vector3f> forces = gpu_forces(with_ids(
        {create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)), create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f))}));
    expect_force(Eigen::Vector3f(-0.2613329f, 0.f, 0.f), forces[0]);
    expect_force(Eigen::Vector3f(0.2613329f, 0.f, 0.f), forces[1]);

    // Beyond 1 and below 0 both survive the float target.
    forces = gpu_forces(
        with_ids({create_na_molecule(Eigen::Vector3f::Zero()), create_cl_molecule(Eigen::Vector3f(5.f, 0.f, 0.f))}));
    expect_force(Eigen::Vector3f(-1.0029209f, 0.f, 0.f), forces[0]);
    expect_force(Eigen::Vector3f(1.0029209f, 0.f, 0.f), forces[1]);

    // Atoms of one molecule leave each other alone.
    for (Eigen::Vector3f const& f : gpu_forces(with_ids({create_h2o_molecule(Eigen::Vector3f(1.f, 2.f, 3.f))})))
        EXPECT_EQ(Eigen::Vector3f::Zero(), f);

    // Without an element type there is only the Coulomb repulsion: 1 / 6^2.
    std::list<Molecule> untyped = with_ids(
        {create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)), create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f))});
    untyped.front()._atoms[0]._type = 0;
    EXPECT_FLOAT_EQ(-1.f / 36.f, gpu_forces(untyped)[0].x());

    // No atoms: one row goes through and nothing fails.
    EXPECT_NE(nullptr, _force->calc_forces(std::list<Molecule>(), coulomb, vdw, radius_factor, 0.f, field));
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}

TEST_F(Gpu_force, agrees_with_the_cpu_for_scattered_molecules_across_rows)
{
    std::list<Molecule> const molecules = scattered_molecules(160, Eigen::Vector3f(80.f, 40.f, 40.f), 2.5f, 17);
    Cpu_force cpu;
    std::vector<Eigen::Vector3f> const expected = forces_of(cpu, molecules);
    std::vector<Eigen::Vector3f> const actual = gpu_forces(molecules);
    ASSERT_GE(actual.size(), 200u);
    ASSERT_LE(actual.size(), 500u);
    expect_close(expected, actual);

    Eigen::Vector3d total = Eigen::Vector3d::Zero();
    double magnitudes = 0.0;
    for (Eigen::Vector3f const& f : actual)
    {
        total += f.cast<double>();
        magnitudes += f.norm();
    }
    EXPECT_LT(total.norm(), 1e-4 * magnitudes);

    // Atom 64 is the first texel of the second row.
    std::list<Molecule> const row = sodium_row(65);
    std::vector<Eigen::Vector3f> const row_forces = gpu_forces(row);
    EXPECT_GT(row_forces[64].norm(), 0.f);
    expect_close(forces_of(cpu, row), row_forces);
}

TEST_F(Gpu_force, atoms_at_one_point_or_lost_in_space_give_finite_forces)
{
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    std::list<Molecule> const molecules = with_ids(
        {create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)), create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f)),
         create_cl_molecule(Eigen::Vector3f(nan, 0.f, 0.f)), create_cl_molecule(Eigen::Vector3f(inf, 0.f, 0.f)),
         create_na_molecule(Eigen::Vector3f(1.f, 1.f, 10.f)), create_cl_molecule(Eigen::Vector3f(1.f, 1.f, 10.f))});
    std::vector<Eigen::Vector3f> const forces = gpu_forces(molecules);
    for (Eigen::Vector3f const& f : forces) EXPECT_TRUE(f.allFinite()) << f.transpose();
    Cpu_force cpu;
    expect_close(forces_of(cpu, molecules), forces);
}

TEST_F(Gpu_force, atoms_beyond_the_texture_get_zero_and_one_message)
{
    std::list<Molecule> const crowd = sodium_row(4100);
    Capture_stdout out;
    std::vector<Eigen::Vector3f> forces = gpu_forces(crowd);
    EXPECT_GT(forces[4095].norm(), 0.f);
    for (int i = 4096; i < 4100; ++i) EXPECT_EQ(Eigen::Vector3f::Zero(), forces[i]) << "atom " << i;
    gpu_forces(crowd);
    EXPECT_EQ("GPU_force::calc_forces: 4100 atoms, only the first 4096 get forces\n", out.text());

    // The last full row still holds its own atoms' forces.
    Cpu_force cpu;
    std::list<Molecule> const full = sodium_row(4096);
    std::vector<Eigen::Vector3f> const expected = forces_of(cpu, full);
    forces = gpu_forces(full);
    for (int i : {0, 2000, 4031, 4032, 4095})
        EXPECT_LE((expected[i] - forces[i]).norm(), 1e-4f * expected[i].norm() + 1e-6f) << "atom " << i;
}

TEST_F(Gpu_force, thermal_agitation_matches_the_cpu_and_vanishes_where_it_is_not_warm)
{
    std::list<Molecule> const molecules = scattered_molecules(60, Eigen::Vector3f(80.f, 40.f, 40.f), 4.f, 3);
    Cpu_force cpu;
    std::vector<Eigen::Vector3f> const pair_only = forces_of(cpu, molecules, 1.5f);

    Frame_buffer<float> cold(8, 8);
    for (int i = 0; i < cold.get_count(); ++i) cold.set_pixel(i, i % 2 ? 0.f : -20.f);
    _force->set_temperature(cold);
    std::vector<Eigen::Vector3f> const unshaken = gpu_forces(molecules, 1.5f);
    expect_close(pair_only, unshaken);

    // Warm to the right, hot at the top: a grid of another size than the pass began with.
    Frame_buffer<float> warm(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) warm.set_pixel(x, y, float(x) * 8.f + float(y) * 5.f - 10.f);
    _force->set_temperature(warm);
    cpu.set_temperature(warm);
    std::vector<Eigen::Vector3f> const shaken = gpu_forces(molecules, 1.5f);
    expect_close(forces_of(cpu, molecules, 1.5f), shaken);
    int moved = 0;
    for (size_t i = 0; i < shaken.size(); ++i) moved += (shaken[i] - unshaken[i]).norm() > 1e-3f;
    EXPECT_GT(moved, int(shaken.size()) / 2);

    EXPECT_EQ(shaken, gpu_forces(molecules, 1.5f));
    std::vector<Eigen::Vector3f> const later = gpu_forces(molecules, 2.2f);
    EXPECT_NE(shaken, later);
    expect_close(forces_of(cpu, molecules, 2.2f), later);
}

TEST_F(Gpu_force, leaves_the_callers_gl_state_as_it_found_it)
{
    QOpenGLShaderProgram other;
    other.addShaderFromSourceCode(QOpenGLShader::Vertex, "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n");
    other.addShaderFromSourceCode(QOpenGLShader::Fragment, "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    ASSERT_TRUE(other.link());
    GLuint framebuffer = 0;
    GLuint texture = 0;
    gl()->glGenTextures(1, &texture);
    gl()->glBindTexture(GL_TEXTURE_2D, texture);
    gl()->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl()->glGenFramebuffers(1, &framebuffer);
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl()->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);

    // Everything a caller in the middle of drawing might have set.
    gl()->glViewport(3, 4, 50, 60);
    gl()->glEnable(GL_BLEND);
    gl()->glEnable(GL_DEPTH_TEST);
    gl()->glEnable(GL_SCISSOR_TEST);
    gl()->glScissor(0, 0, 1, 1);
    gl()->glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    gl()->glActiveTexture(GL_TEXTURE3);
    other.bind();
    gl()->glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl()->glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    gl()->glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);

    Frame_buffer<float> grid(4, 4);
    _force->set_temperature(grid);
    // Three rows, so that every texel counts, not just the quad's edges.
    std::list<Molecule> const row = sodium_row(150);
    Cpu_force cpu;
    expect_close(forces_of(cpu, row), gpu_forces(row));

    std::array<GLint, 4> viewport{};
    gl()->glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ((std::array<GLint, 4>{3, 4, 50, 60}), viewport);
    EXPECT_EQ(GLint(framebuffer), integer(GL_DRAW_FRAMEBUFFER_BINDING));
    EXPECT_EQ(GLint(framebuffer), integer(GL_READ_FRAMEBUFFER_BINDING));
    EXPECT_TRUE(gl()->glIsEnabled(GL_BLEND));
    EXPECT_TRUE(gl()->glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(gl()->glIsEnabled(GL_SCISSOR_TEST));
    std::array<GLint, 2> polygon_mode{};
    gl()->glGetIntegerv(GL_POLYGON_MODE, polygon_mode.data());
    EXPECT_EQ(GL_LINE, polygon_mode[0]);
    EXPECT_EQ(GL_TEXTURE3, integer(GL_ACTIVE_TEXTURE));
    EXPECT_EQ(GLint(other.programId()), integer(GL_CURRENT_PROGRAM));
    EXPECT_EQ(1, integer(GL_PACK_ALIGNMENT));
    EXPECT_EQ(2, integer(GL_UNPACK_ALIGNMENT));
    EXPECT_EQ(7, integer(GL_UNPACK_ROW_LENGTH));
    gl()->glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(GLint(texture), integer(GL_TEXTURE_BINDING_2D));
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());

    other.release();
    gl()->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    gl()->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl()->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl()->glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (GLenum capability : {GL_BLEND, GL_DEPTH_TEST, GL_SCISSOR_TEST}) gl()->glDisable(capability);
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    gl()->glDeleteFramebuffers(1, &framebuffer);
    gl()->glBindTexture(GL_TEXTURE_2D, 0);
    gl()->glDeleteTextures(1, &texture);
}

TEST_F(Gpu_force, works_in_its_own_context_whatever_is_current_and_gives_the_current_one_back)
{
    std::list<Molecule> const pair =
        with_ids({create_na_molecule(Eigen::Vector3f::Zero()), create_cl_molecule(Eigen::Vector3f(5.f, 0.f, 0.f))});
    QOpenGLContext* own = QOpenGLContext::currentContext();

    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext other;
    ASSERT_TRUE(other.create());
    ASSERT_TRUE(other.makeCurrent(&surface));
    std::vector<Eigen::Vector3f> forces = gpu_forces(pair);
    EXPECT_EQ(&other, QOpenGLContext::currentContext());
    expect_force(Eigen::Vector3f(-1.0029209f, 0.f, 0.f), forces[0]);

    other.doneCurrent();
    forces = gpu_forces(pair);
    EXPECT_EQ(nullptr, QOpenGLContext::currentContext());
    expect_force(Eigen::Vector3f(1.0029209f, 0.f, 0.f), forces[1]);

    // Taken down from outside its context as well.
    _force.reset();
    EXPECT_EQ(nullptr, QOpenGLContext::currentContext());

    // Made without any context, it has nothing to run and says so.
    {
        Capture_stdout out;
        GPU_force orphan(16);
        EXPECT_EQ("GPU_force::GPU_force: no current OpenGL context, forces will be zero\n", out.text());
        orphan.set_temperature(Frame_buffer<float>(2, 2));
        forces = forces_of(orphan, pair);
        EXPECT_EQ(Eigen::Vector3f::Zero(), forces[0]);
    }
    widget()->makeCurrent();
    EXPECT_EQ(own, QOpenGLContext::currentContext());
}

TEST_F(Gpu_force, a_missing_shader_is_reported_before_anything_is_made)
{
    ASSERT_TRUE(QFile::remove(_data.filePath("data/shaders/force_calc.frag")));
    try
    {
        GPU_force force(16);
        FAIL() << "no exception";
    }
    catch (std::runtime_error const& error)
    {
        EXPECT_STREQ("No such file.", error.what());
    }
}
