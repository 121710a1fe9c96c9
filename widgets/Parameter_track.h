#ifndef WIDGETS_PARAMETER_TRACK_H
#define WIDGETS_PARAMETER_TRACK_H

class Parameter;

// A handle track from -half_range to half_range that maps a ranged float
// parameter's [min, max] onto it.

// Where the value lies on the track. A range without width puts it at the start.
float track_position(Parameter const& parameter, float half_range);

// The value at x, x clamped to the track.
float track_value(Parameter const& parameter, float x, float half_range);

#endif
