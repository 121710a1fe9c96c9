#version 330 core

// The quad that covers the 64 x 64 force target: one fragment per atom.
layout(location = 0) in vec3 position;

void main()
{
    gl_Position = vec4(position, 1.0);
}
