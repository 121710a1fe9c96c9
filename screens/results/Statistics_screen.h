#ifndef SCREENS_RESULTS_STATISTICS_SCREEN_H
#define SCREENS_RESULTS_STATISTICS_SCREEN_H

#include "screens/menus/Menu_screen.h"
#include "screens/results/Statistics_replay.h"

#include <memory>
#include <vector>

class Draggable_event;
class Draggable_statistics;
class Score;

// Replays one finished run: its four series drawn as curves over ten seconds,
// the capture points flashing up where the collected-molecules curve reaches
// them, and the capture score and energy bonus running alongside.
class Statistics_screen : public Menu_screen
{
public:
    static constexpr float plot_duration = 10.f;

    // The run belongs to the caller and must outlive the screen; "Back" shows
    // the previous screen again.
    Statistics_screen(My_viewer* viewer, Core* core, Screen* previous, Score const* score);
    ~Statistics_screen() override;

    void draw() override;
    void update(float dt) override;
    void resize(QSize const& size) override;

    Score const& get_score() const { return *_score; }
    // Plots indexed like the sensor series.
    std::vector<std::shared_ptr<Draggable_statistics>> const& get_plots() const { return _plots; }
    std::vector<std::shared_ptr<Draggable_label>> const& get_popups() const { return _popups; }
    Draggable_label const& get_capture_score_label() const { return *_capture_score_label; }
    Draggable_label const& get_energy_label() const { return *_energy_label; }

private:
    void build_plot_curves();
    void generate_plot_textures();
    void back();
    void repeat();
    void update_capture_score_label();
    void update_energy_label();
    float run_time() const;

    std::vector<std::shared_ptr<Draggable_statistics>> _plots;
    std::shared_ptr<Draggable_label> _capture_score_label;
    std::shared_ptr<Draggable_label> _energy_label;
    Screen* _previous_screen;
    std::vector<std::shared_ptr<Draggable_event>> _animations;
    std::vector<std::shared_ptr<Draggable_label>> _popups;
    std::vector<Capture_popup> _popup_plan;
    Score const* _score;
};

#endif
