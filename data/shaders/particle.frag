#version 120

// Point sprites stay off, so there is no coordinate inside the point: smooth
// points give the round shape, and the colour is softened so overlapping
// particles blend into a glow instead of saturating.
void main()
{
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * 0.85);
}
