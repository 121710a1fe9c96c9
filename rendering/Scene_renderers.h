#ifndef RENDERING_SCENE_RENDERERS_H
#define RENDERING_SCENE_RENDERERS_H

#include "foundation/Class_registry.h"
#include "foundation/Parameter_list.h"
#include "rendering/Editor_renderer.h"
#include "rendering/Shader_renderer.h"

// Default lists, freshly allocated on every call: the receiver owns the parameters.
Parameter_list make_world_renderer_parameters();
Parameter_list make_editor_renderer_parameters();
Parameter_list make_shader_renderer_parameters();

namespace
{
Class_registrator<World_renderer, Editor_renderer> const editor_renderer_registrator(Editor_renderer::create,
                                                                                     make_editor_renderer_parameters(),
                                                                                     make_world_renderer_parameters());
Class_registrator<World_renderer, Shader_renderer> const shader_renderer_registrator(Shader_renderer::create,
                                                                                     make_shader_renderer_parameters(),
                                                                                     make_world_renderer_parameters());
} // namespace

#endif
