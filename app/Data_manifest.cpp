#include "app/Data_manifest.h"

#include "foundation/Data_config.h"

#include <QFileInfo>

namespace
{

// A new asset goes here as well as where it is loaded.
char const* const assets[] = {
    "default_simulation_settings.data",
    "fonts/Matiz.ttf",
    "fonts/SourceSansPro-Regular.otf",
    "fonts/SourceSansPro-Semibold.otf",
    "meshes/bg_hemisphere.obj",
    "meshes/grid_10x10.obj",
    "meshes/grid_cube.obj",
    "meshes/icosphere_3.obj",
    "meshes/molecule_releaser.obj",
    "meshes/tractor_circle.obj",
    "shaders/atom_impostor.frag",
    "shaders/atom_impostor.vert",
    "shaders/atom_shading.frag",
    "shaders/blur_1D.frag",
    "shaders/depth_blur_1D.frag",
    "shaders/depth_blur_overlay.frag",
    "shaders/distance_particle.vert",
    "shaders/drop_shadow.frag",
    "shaders/force_calc.frag",
    "shaders/force_calc.vert",
    "shaders/fullscreen_square.vert",
    "shaders/heat.frag",
    "shaders/mesh.vert",
    "shaders/molecule.frag",
    "shaders/molecule_new.frag",
    "shaders/particle.frag",
    "shaders/particle.vert",
    "shaders/post.frag",
    "shaders/simple.vert",
    "shaders/simple_texture.frag",
    "shaders/temperature.frag",
    "shaders/temperature.vert",
    "shaders/test.frag",
    "textures/background_grid.png",
    "textures/brownian_panel.png",
    "textures/button_Box_barrier.png",
    "textures/button_Box_portal.png",
    "textures/button_Brownian_box.png",
    "textures/button_Charged_barrier.png",
    "textures/button_Cl.png",
    "textures/button_H2O.png",
    "textures/button_Molecule_releaser.png",
    "textures/button_Na.png",
    "textures/button_Sphere_portal.png",
    "textures/button_Tractor_barrier.png",
    "textures/button_change_speed.png",
    "textures/button_play.png",
    "textures/button_reset_camera.png",
    "textures/handle_settings.png",
    "textures/ice_texture.png",
    "textures/iss_interior_1.png",
    "textures/iss_interior_1_blurred.png",
    "textures/molecule_releaser.png",
    "textures/move.png",
    "textures/panel_charged_barrier.png",
    "textures/particle.png",
    "textures/rotate.png",
    "textures/scale.png",
    "textures/slider.png",
    "textures/slider_coulomb.png",
    "textures/slider_damping.png",
    "textures/slider_gravity.png",
    "textures/slider_height.png",
    "textures/slider_mass.png",
    "textures/slider_temperature.png",
    "textures/slider_waals.png",
    "textures/slider_width.png",
    "textures/spinbox_arrowdown.png",
    "textures/spinbox_arrowup.png",
    "textures/tractor_panel.png",
};

} // namespace

QStringList required_data_files(QStringList const& level_names)
{
    QStringList files;
    for (char const* asset : assets) files.append(QString::fromLatin1(asset));
    for (QString const& level : level_names) files.append("levels/" + level + ".data");
    return files;
}

QStringList missing_data_files(QStringList const& level_names)
{
    QStringList missing;
    for (QString const& file : required_data_files(level_names))
    {
        bool found = false;
        for (QString const& directory : Data_config::instance()->data_paths())
            found = found || QFileInfo(directory + "/" + file).isFile();
        if (!found) missing.append(file);
    }
    return missing;
}
