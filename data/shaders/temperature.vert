#version 330 compatibility

// Immediate-mode geometry for the temperature display: its texture coordinate
// and colour (the temperature in red) go on to the fragment shader under the
// names mesh.vert uses.
out vec2 texture_coordinate;
out vec3 vertex_color;

void main()
{
    texture_coordinate = gl_MultiTexCoord0.xy;
    vertex_color = gl_Color.rgb;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
