#ifndef FOUNDATION_FLAT_COLOR_SHADER_H
#define FOUNDATION_FLAT_COLOR_SHADER_H

// A flat-colour program (GLSL 1.20, uniform "color") that screens build for their
// own off-screen passes. The runs of blanks are part of the sources.
static char const flat_color_fragment_shader_source[] =
    "#version 120\n        uniform vec3 color;        void main(void)        {            gl_FragColor = "
    "vec4(color, 1.0);        }        ";

static char const flat_color_vertex_shader_source[] =
    "        void main(void)        {            gl_Position = ftransform();        }        ";

#endif
