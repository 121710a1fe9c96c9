#ifndef TESTS_HAND_EDITED_LEVEL_H
#define TESTS_HAND_EDITED_LEVEL_H

#include <string>

// The text of a level file with every coordinate of every position it holds,
// elements' and atoms', replaced by `value`: a level moved far out by hand.
inline std::string every_position_at(std::string text, std::string const& value)
{
    for (std::string::size_type at = text.find("<_position"); at != std::string::npos;
         at = text.find("<_position", at + 1))
    {
        std::string::size_type coordinate = at;
        for (int axis = 0; axis < 3; ++axis)
        {
            coordinate = text.find("<v>", coordinate) + 3;
            text.replace(coordinate, text.find("</v>", coordinate) - coordinate, value);
        }
    }
    return text;
}

#endif
