#include "simulation/Color_palette.h"

std::vector<Color> const& color_palette()
{
    static std::vector<Color> const palette{
        Color(0.3f, 0.2f, 0.7f), Color(1.0f, 1.0f, 1.0f),                                                   // H
        Color(0.9f, 0.2f, 0.2f),                                                                            // O
        Color(0.3f, 0.3f, 0.4f), Color(0.8f, 0.7f, 0.2f), Color(0.8f, 0.3f, 0.8f), Color(0.8f, 0.3f, 0.8f), // Na
        Color(0.5f, 0.8f, 0.3f),                                                                            // Cl
    };
    return palette;
}
