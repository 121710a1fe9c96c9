#ifndef APP_COMMAND_LINE_H
#define APP_COMMAND_LINE_H

#include <QStringList>

// The game's one option, "--use-unstable-options", given as an argument of its
// own: it lets the level's dampings go down to 0.
bool has_unstable_options(QStringList const& arguments);

#endif
