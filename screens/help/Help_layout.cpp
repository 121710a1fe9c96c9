#include "screens/help/Help_layout.h"

#include "foundation/Random.h"

#include <algorithm>
#include <cmath>

namespace
{

float const button_gap = 0.01f;
float const box_margin = 0.01f;

// NaN, from a point behind the camera, goes to the low end too.
float clamped_into(float value, float low, float high)
{
    if (!(value >= low) || high < low) return low;
    return value > high ? high : value;
}

} // namespace

Help_page make_help_page(QString const& text, float x, float y, float width, float height)
{
    Help_page page;
    page.text = text;
    page.x = x;
    page.y = y;
    page.width = width;
    page.height = height;
    return page;
}

Eigen::Vector2f help_button_size()
{
    return Eigen::Vector2f(0.15f, 0.08f);
}

Page_placement place_page(float x, float y, Eigen::Vector2f const& text_size, float aspect)
{
    Eigen::Vector2f const button = help_button_size();
    float const width = text_size.x();
    float const height = text_size.y();
    float const box_height = height + button.y() + button_gap;
    float const margin_up = box_margin * aspect;
    // The top is kept in before the bottom: a box taller than the window shows its text.
    float const top = 1.f - margin_up - clamped_into(1.f - margin_up - y, 0.f, 1.f - 2.f * margin_up - box_height);
    float const left = clamped_into(x, box_margin, 1.f - box_margin - width);
    return {Eigen::Vector2f(left, top), Eigen::Vector3f(left + width / 2.f, top - height / 2.f, 0.f),
            Eigen::Vector3f(left + width - button.x() / 2.f, top - height - button.y() / 2.f - button_gap, 0.f), width,
            box_height};
}

Eigen::AlignedBox2f help_box(Help_page const& page, float aspect)
{
    float const margin = box_margin * aspect;
    return Eigen::AlignedBox2f(Eigen::Vector2f(page.x - box_margin, page.y - page.height - margin),
                               Eigen::Vector2f(page.x + page.width + box_margin, page.y + margin));
}

std::vector<Eigen::Vector3f> highlight_ring(Help_page const& page)
{
    std::vector<Eigen::Vector3f> points;
    for (int i = 0; i < 20; ++i)
    {
        float const t = 2.f * float(M_PI) * float(i) / 19.f;
        points.emplace_back(page.cx + page.rx * std::cos(t), page.cy + page.ry * std::sin(t), 0.f);
    }
    return points;
}

Curve_particle_system highlight_particles(Help_page const& page)
{
    std::vector<Eigen::Vector3f> const points = highlight_ring(page);
    float length = 0.f;
    for (size_t i = 1; i < points.size(); ++i) length += (points[i] - points[i - 1]).norm();

    Curve_particle_system particles(points, 4.f * length);
    particles.set_rate(0.2f);
    particles.set_size_factor(1.f);
    float const r = float(rand_0_32767()) / 32767.f;
    Color4 const glow(1.f, 0.2f + 0.26f * r, 0.05f, 1.f);
    particles.set_start_color(glow);
    particles.set_end_color(glow);
    return particles;
}

float Screen_rect::rx() const
{
    return std::abs(x1 - x0) / 2.f;
}

float Screen_rect::ry() const
{
    return std::abs(y1 - y0) / 2.f;
}

Screen_rect screen_rect_of_box(Screen_projector const& project, Eigen::AlignedBox3f const& box)
{
    Eigen::Vector3f const min = box.min();
    Eigen::Vector3f const max = box.max();
    Eigen::Vector2f const a = project(min);
    Eigen::Vector2f const b = project(max);
    Eigen::Vector2f const q = project(Eigen::Vector3f(max.x(), min.y(), max.z()));
    return {a.x(), a.y(), std::max(b.x(), q.x()), std::max(b.y(), q.y())};
}

float page_extent(float computed)
{
    // NaN, from a point behind the camera, falls to the minimum too.
    return computed > minimum_page_extent ? computed : minimum_page_extent;
}
