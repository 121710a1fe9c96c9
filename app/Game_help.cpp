#include "app/Game_help.h"

#include <initializer_list>
#include <utility>

namespace
{

QString table(std::initializer_list<std::pair<char const*, char const*>> rows)
{
    QString text = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
    for (auto const& [what, does] : rows) text += QString("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(what, does);
    return text + "</table>";
}

} // namespace

QString game_help_text()
{
    return "<h2>BRINDLEMOT</h2>"
           "<p>Water molecules and sodium and chloride ions move under their own forces, heat, damping and gravity. "
           "Place heating and cooling boxes, charged boxes, tractors and barriers from the toolbar at the top left "
           "to steer enough of them into the collectors, and the level is won.</p>"
           "<p>Pick a toolbar button, then click into the field to place the element. Drag its handles to move, "
           "stretch, turn and tune it; a right click on a handle opens the element's menu.</p>"
           "<p>Escape pauses the game. The sandbox's editor builds levels of your own.</p>";
}

QString game_keys_text()
{
    return "<h3>Keys</h3>" + table({{"Escape", "Pauses the game, and goes on again in the pause"},
                                    {"Delete, Backspace", "Removes the selected element (editor)"},
                                    {"Alt + Return", "Full screen on and off"},
                                    {"Ctrl + S", "Saves a screenshot"},
                                    {"B", "Chooses the background colour"},
                                    {"Keypad 1, 3, 7", "Looks from the front, the side or above"},
                                    {"Keypad 2, 4, 6, 8", "Turns the camera"},
                                    {"Keypad 5", "Perspective or orthographic camera"},
                                    {"H", "This help"}});
}

QString game_mouse_text()
{
    return "<h3>Mouse</h3>" + table({{"Left click on a toolbar button", "Chooses an element to place"},
                                     {"Left click into the field", "Places the chosen element"},
                                     {"Shift + left click into the field", "Places one after another (editor)"},
                                     {"Right click while placing", "Places nothing"},
                                     {"Left drag on a handle", "Moves, stretches, turns or tunes the element"},
                                     {"Right click on a handle", "Opens the element's menu"},
                                     {"Left drag", "Turns the camera"},
                                     {"Right drag", "Moves the camera"},
                                     {"Wheel", "Zooms"}});
}
