#ifndef SIMULATION_CORE_H
#define SIMULATION_CORE_H

#include "simulation/Atomic_force_types.h"
#include "simulation/Cpu_force.h"
#include "simulation/GPU_force.h"
#include "simulation/Level_data.h"
#include "simulation/Level_limits.h"
#include "simulation/Level_state.h"
#include "simulation/Progress.h"
#include "simulation/Sensor_data.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QOpenGLContext;

// The one simulation and game object: the current level, the physics timer and
// step, the level life cycle, progress and scores.
class Core : public QObject
{
    Q_OBJECT

public:
    enum Game_state
    {
        Not_running = 0,
        Running = 1,
        Finished = 2
    };

    // Live atoms the force pass can hold; releases stop earlier (get_max_atoms).
    static constexpr int max_live_atoms = level_atom_limit;

    explicit Core(bool use_unstable_options = false);
    ~Core() override;

    // --- parameters, timer and step ---
    void update(float dt);
    void update_parameters();
    void toggle_timer();
    void set_timer_interval();
    void set_simulation_state(bool running);
    bool get_simulation_state() const;
    void set_game_state(int state);
    int get_game_state() const { return _game_state; }
    int get_previous_game_state() const { return _previous_game_state; }
    float get_current_time() const { return _current_time; }
    Sensor_data const& get_sensor_data() const { return _sensor_data; }
    // Copies the molecule into the level with the next id. Refused, with a
    // message, when the live atoms would exceed what the force pass holds.
    bool add_molecule(Molecule const& molecule);
    int get_atom_count() const { return _atom_count; }
    // Molecules of the level that the last reset keeping them could not take,
    // the atom limit being reached (a level loaded is reset so).
    int get_molecules_left_out() const { return _molecules_left_out; }

    Level_data& get_level_data() { return _level_data; }
    Level_data const& get_level_data() const { return _level_data; }
    Parameter_list& get_parameters() { return _parameters; }
    std::vector<std::unique_ptr<Atomic_force>> const& get_forces() const { return _forces; }
    QTimer const& get_physics_timer() const { return _physics_timer; }

    // --- level life cycle ---
    QStringList const& get_level_names() const { return _level_names; }
    std::string get_level_name(int index) const;
    int get_current_level() const { return _current_level; }
    void load_level(int index);
    void load_next_level();
    void load_level(std::string const& file_name);
    void reset_level_data();
    void clear();
    void start_level();
    void reset_level(bool keep_molecules);
    void prune_level_elements();
    bool save_level(std::string const& file_name);
    // Whether the level differs from what it was when last loaded, reset or saved.
    bool level_changed_since_saved() const;
    // Why the level file loaded last was refused for the default level, as the
    // player reads it; empty when it loaded.
    std::string const& get_level_refusal() const { return _level_refusal; }

    void load_default_simulation_settings();
    void load_simulation_settings();
    bool save_simulation_settings();
    bool save_progress();

    // Builds the GPU force pass in the current context, replacing an earlier one.
    // On a software rasteriser the pass is far slower than the CPU, so the pair
    // forces stay on the CPU there unless set_gpu_forces_enabled says otherwise.
    // The pass goes with its context, and the pair forces go back to the CPU.
    void gl_init(QOpenGLContext* context);
    void set_gpu_forces_enabled(bool enabled);
    bool uses_gpu_forces() const { return _use_gpu_force; }

    Progress progress;

public slots:
    void update_physics();

signals:
    void game_state_changed();
    void level_changed(Level_state state);

private:
    void build_parameters();
    void release_gpu_force();
    void update_level_elements(float elapsed);
    void release_molecules();
    void rebuild_temperature_grid();
    void capture_molecules();
    void update_sensor_data();
    bool end_condition_met() const;

    // How many ticks the timer's event owes: those the wall clock has run
    // through since the timer started, at least one.
    int physics_ticks_due() const;

    void plain_step(float dt);
    void midpoint_step(float dt);
    Eigen::Vector3f const* calc_pair_forces(std::list<Molecule> const& molecules, float time);
    // `step`: the time step the forces will advance the molecules by.
    void calc_molecule_forces(Molecule& molecule, Eigen::Vector3f const* atom_forces, int& atom_index,
                              float step) const;
    void calc_all_molecule_forces(std::list<Molecule>& molecules, float time, float step);
    void integrate(Molecule& molecule, Molecule const& rate, float dt) const;

    bool has_room_for(Molecule const& molecule) const;
    void forget_molecules();
    void restore_available_elements();
    bool read_level_file(std::string const& file_name);
    void settle_loaded_level();
    void remember_level_as_saved();
    std::size_t level_fingerprint() const;
    void register_level_parameters();
    // Prints why and returns false when the file cannot be merged.
    bool load_settings_file(char const* file_name);
    float level_parameter(char const* name);

    Level_data _level_data;
    int _game_state = Not_running;
    int _previous_game_state = Not_running;
    std::unordered_map<int, Molecule*> _molecule_ids;
    int _next_molecule_id = 0;
    int _atom_count = 0;
    int _molecules_left_out = 0;
    std::string _level_refusal;
    std::size_t _saved_level_fingerprint = 0;
    std::vector<std::unique_ptr<Atomic_force>> _forces;
    float _mass_factor = 0.1f;
    float _current_time = 0.f;
    float _last_sensor_time = 0.f;
    Sensor_data _sensor_data;
    bool _constrain_forces = true;
    float _max_force = 10.f;

    Parameter_list _parameters;
    Owned_parameter_tree _owned_parameters;
    // Read on every tick, so looked up once.
    Parameter* _toggle_simulation = nullptr;
    Parameter* _use_midpoint = nullptr;
    Parameter* _physics_speed = nullptr;
    Parameter* _timestep_ms = nullptr;
    Parameter* _coulomb_strength = nullptr;
    Parameter* _vdw_strength = nullptr;
    Parameter* _vdw_radius_factor = nullptr;

    QTimer _physics_timer;
    // Since the timer started: a paint that outlasts several intervals delays
    // the timer's events, and the ticks they owe are made up.
    QElapsedTimer _physics_clock;
    qint64 _physics_ticks_run = 0;
    float const _element_update_interval = 0.04f;
    float _last_element_update = 0.f;

    Cpu_force _cpu_force;
    std::unique_ptr<GPU_force> _gpu_force;
    // The midpoint step's copy of the molecules, kept between ticks so that
    // copying into it reuses its molecules and atoms instead of making them anew.
    std::list<Molecule> _halfway;
    bool _use_gpu_force = false;

    QStringList _level_names;
    int _current_level = 0;
    // What the player could place when the level started: placing uses the counts
    // up, and every reset of the started level gives them back, as it also takes
    // the placed elements away. Gone once the level is left or stopped.
    std::optional<std::map<std::string, int>> _available_at_start;
};

#endif
