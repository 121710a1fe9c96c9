#ifndef SCREENS_HELP_HELP_SCREEN_H
#define SCREENS_HELP_HELP_SCREEN_H

#include "screens/help/Help_page.h"
#include "screens/menus/Menu_screen.h"

#include <QPointer>

#include <memory>
#include <vector>

// Pages of help text in a translucent box over the game, one at a time, each
// with "Next" or, on the last, "Got it!", and a ring of flowing particles round
// what the page talks about. With flags 1 it blocks input and hides the game
// below; a help screen that only offers hints (flags 2) lets the game go on,
// and is seen only with it: it goes when the game is paused or left and comes
// back with it. Once the level changes under it, it closes without its confirm
// actions: they belong to the level it was made for.
class Help_screen : public Menu_screen
{
public:
    Help_screen(My_viewer* viewer, Core* core, Screen* resume_screen, int screen_flags);

    void draw() override;
    void update(float dt) override;
    // Paints every page again for the new window, from its box's corner.
    void resize(QSize const& size) override;

    // "Got it!": closes the help and resumes the game.
    virtual void confirm();

    void add_page(Help_page const& page);
    // Builds the pages' widgets; once, after the pages are added.
    void layout();
    void next_page();

    std::vector<Help_page> const& get_pages() const { return _pages; }
    int get_page() const { return _page; }
    Screen* get_resume_screen() const { return _resume_screen; }

protected:
    QPointer<Screen> _resume_screen;

private:
    struct Page_widgets
    {
        std::shared_ptr<Draggable_label> label;
        std::shared_ptr<Draggable_button> button;
        // The box as the page asked for it, before the text gave it its size
        // and the window its place.
        float requested_width;
        float requested_height;
        Eigen::Vector2f requested_corner;
    };

    void place_page(size_t index);
    void show_page(int index, bool shown);
    void close_unconfirmed();
    void follow_resume_screen();
    void draw_box(Help_page const& page, float alpha);

    std::vector<Help_page> _pages;
    std::vector<Page_widgets> _widgets;
    int _page = 0;
};

// The camera help of the first intro level: its "Got it!" counts that level as
// done and goes on to the next one.
class My_help_screen : public Help_screen
{
public:
    My_help_screen(My_viewer* viewer, Core* core, Screen* resume_screen);

    void confirm() override;
};

#endif
