#ifndef TESTS_SHADER_PAIRS_H
#define TESTS_SHADER_PAIRS_H

#include <string>
#include <vector>

// Every shader program the game builds from its data files, with the uniforms
// and attributes its code sets by name: each must compile, link and keep those
// names active. Whoever adds a program to the game adds its pair here.
struct Shader_pair
{
    std::string vertex;
    std::string fragment;
    std::vector<std::string> uniforms;
    std::vector<std::string> attributes;
    // Fragment shaders linked beside the first for the functions it declares.
    std::vector<std::string> linked_fragments = {};
};

inline std::vector<Shader_pair> const& game_shader_pairs()
{
    static std::vector<Shader_pair> const pairs{
        // The GPU force pass.
        {"shaders/force_calc.vert", "shaders/force_calc.frag", {"pos_tex", "charge_tex", "tex_size", "num_atoms"}, {}},
        // Particles of the widget painter and of the level elements.
        {"shaders/particle.vert", "shaders/particle.frag", {"height"}, {"particle_size"}},
        {"shaders/distance_particle.vert", "shaders/particle.frag", {"height"}, {"particle_size"}},
        // The game's scene renderer.
        {"shaders/mesh.vert",
         "shaders/molecule_new.frag",
         {"m_projection", "m_view", "m_model", "light_pos", "camera_pos", "bg_texture", "color"},
         {},
         {"shaders/atom_shading.frag"}},
        // Its atoms on a software rasteriser.
        {"shaders/atom_impostor.vert",
         "shaders/atom_impostor.frag",
         {"m_projection", "m_view", "light_pos", "camera_pos", "bg_texture"},
         {"centre_and_radius", "atom_color"},
         {"shaders/atom_shading.frag"}},
        {"shaders/mesh.vert",
         "shaders/temperature.frag",
         {"m_projection", "m_view", "m_model", "ice_texture", "scene_texture", "screen_size", "time"},
         {}},
        {"shaders/fullscreen_square.vert", "shaders/simple_texture.frag", {"texture"}, {}},
        {"shaders/fullscreen_square.vert", "shaders/post.frag", {"texture"}, {}},
        // The play screen's blur while it fades.
        {"shaders/fullscreen_square.vert",
         "shaders/blur_1D.frag",
         {"texture", "tex_size", "blur_strength", "direction"},
         {}},
        {"shaders/fullscreen_square.vert",
         "shaders/depth_blur_1D.frag",
         {"texture", "depth_texture", "clip_distances", "tex_size", "focus_distance", "direction"},
         {}},
        // The half-size blur laid over the sharp scene on a software rasteriser.
        {"shaders/fullscreen_square.vert",
         "shaders/depth_blur_overlay.frag",
         {"texture", "depth_texture", "blurred_texture", "clip_distances", "focus_distance"},
         {}},
        // The editor's renderer.
        {"shaders/simple.vert",
         "shaders/molecule.frag",
         {"m_projection", "m_view", "m_model", "light_pos", "camera_pos", "color"},
         {}},
        {"shaders/temperature.vert",
         "shaders/temperature.frag",
         {"ice_texture", "scene_texture", "screen_size", "time"},
         {}},
        // The element draw visitor's temperature program.
        {"shaders/temperature.vert", "shaders/test.frag", {}, {}},
        // The menus' hover highlight and label shadows.
        {"shaders/temperature.vert",
         "shaders/heat.frag",
         {"scene_texture", "repetition_ratio", "alpha", "screen_size", "time"},
         {}},
        {"shaders/temperature.vert",
         "shaders/drop_shadow.frag",
         {"texture", "blur_size", "offset", "overall_alpha", "tex_size"},
         {}},
    };
    return pairs;
}

#endif
