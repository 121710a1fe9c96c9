#ifndef FOUNDATION_PARAMETER_WATCHERS_H
#define FOUNDATION_PARAMETER_WATCHERS_H

class Parameter;
class Parameter_listener;

// The listeners a parameter tells as it is destroyed. Kept beside the
// parameters rather than in them: few of them are watched, and the parameter's
// plain listeners may be gone by then without having said so.
void add_parameter_watcher(Parameter const& parameter, Parameter_listener* watcher);
void remove_parameter_watcher(Parameter const& parameter, Parameter_listener* watcher);

#endif
