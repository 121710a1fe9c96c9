#version 330 compatibility

// Immediate-mode geometry for the temperature display: its texture coordinate
// and colour (the temperature in red) go on to the fragment shader under the
// names mesh.vert uses. The colour's alpha is there for the widgets drawn with
// it, which fade by their colour.
out vec2 texture_coordinate;
out vec3 vertex_color;
out float vertex_alpha;

void main()
{
    texture_coordinate = gl_MultiTexCoord0.xy;
    vertex_color = gl_Color.rgb;
    vertex_alpha = gl_Color.a;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
