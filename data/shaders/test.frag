#version 330 compatibility

// Shows the colour temperature.vert hands on, unshaded.
in vec3 vertex_color;

void main()
{
    gl_FragColor = vec4(vertex_color, 1.0);
}
