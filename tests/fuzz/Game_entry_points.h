#ifndef TESTS_FUZZ_GAME_ENTRY_POINTS_H
#define TESTS_FUZZ_GAME_ENTRY_POINTS_H

#include <map>
#include <string>

class Parameter_list;

// The game's own entry points, each handed one file's bytes in a data tree of
// its own under `directory`. Each returns file_loaded or fell_back when the game
// took the file or refused it with the documented message and fallback, and any
// other code, with the reason in `note`, when it did neither.
int const file_loaded = 10;
int const fell_back = 11;

// Every value of a parameter tree by path, to compare settings by.
typedef std::map<std::string, std::string> Parameter_values;
Parameter_values values_of(Parameter_list const& list);

// The editor pause's check of the file (a read into a scratch level), which
// must agree with Core::load_level of it; then 100 ticks of the level, a save
// and a load of what was saved. The fallback is the default level.
int play_level_file(std::string const& directory, std::string const& bytes, std::string& note);

// Core's constructor over the file as "progress.data", then a save of the
// progress; the fallback is empty progress.
int start_with_progress_file(std::string const& directory, std::string const& bytes, std::string& note);

// Core's constructor over the file as "default_simulation_settings.data", then
// ticks of a level; the fallback keeps the values built in code, `code_values`.
int start_with_defaults_file(std::string const& directory, std::string const& bytes,
                             Parameter_values const& code_values, std::string& note);

// Core::load_simulation_settings of the file as "simulation_settings.data",
// then ticks of a level; the fallback is the shipped defaults, `default_values`.
int load_settings_file(std::string const& directory, std::string const& bytes, Parameter_values const& default_values,
                       std::string& note);

#endif
