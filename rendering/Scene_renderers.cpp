#include "rendering/Scene_renderers.h"

namespace
{

Parameter_list scale_parameters()
{
    Parameter_list parameters;
    parameters.add(new Parameter("scale", 1.f, 0.1f, 10.f));
    return parameters;
}

} // namespace

Parameter_list make_world_renderer_parameters()
{
    return Parameter_list();
}

Parameter_list make_editor_renderer_parameters()
{
    return scale_parameters();
}

Parameter_list make_shader_renderer_parameters()
{
    return scale_parameters();
}
