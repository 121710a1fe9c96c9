#include "app/Command_line.h"

bool has_unstable_options(QStringList const& arguments)
{
    return arguments.contains("--use-unstable-options", Qt::CaseSensitive);
}
