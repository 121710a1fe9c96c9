#ifndef SCREENS_RESULTS_AFTER_FINISH_SCREEN_H
#define SCREENS_RESULTS_AFTER_FINISH_SCREEN_H

#include "gl/Targeted_particle_system.h"
#include "screens/menus/Menu_screen.h"
#include "simulation/Score.h"

#include <memory>
#include <vector>

class Draggable_event;

// Shown over the play screen when a level is won: the run's score counts up,
// its total lands as particles, and the buttons lead on. In the game the run
// joins the player's progress.
class After_finish_screen : public Menu_screen
{
public:
    // `game_mode` is the play screen's: 0 editor, 1 a level played from the editor, 2 the game.
    After_finish_screen(My_viewer* viewer, Core* core, int game_mode);
    ~After_finish_screen() override;

    void draw() override;
    void update(float dt) override;

    Score const& get_score() const { return _score; }
    Draggable_label const& get_portal_score_label() const { return *_portal_score_label; }
    Draggable_label const& get_energy_bonus_label() const { return *_energy_bonus_label; }
    Targeted_particle_system const& get_particles() const { return _particles; }
    bool is_counting_up() const { return _count_up_start > 0.f && _count_up_start < 100.f; }

private:
    void init(int game_mode);
    void start_count_up();
    void step_count_up();
    void finish_count_up();
    void show_numbers(int portal_score, int energy_bonus);
    void scatter_total();

    void next_level();
    void play_again();
    void back_to_editor();
    void back_to_main_menu();
    void show_statistics();

    Targeted_particle_system _particles{10.f};
    std::shared_ptr<Draggable_label> _portal_score_label;
    std::shared_ptr<Draggable_label> _energy_bonus_label;
    // Screen time at which the count-up began: -1 before it, 101 once it is over.
    float _count_up_start = -1.f;
    std::vector<std::shared_ptr<Draggable_event>> _animations;
    Score _score;
};

#endif
