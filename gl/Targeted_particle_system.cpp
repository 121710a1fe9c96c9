#include "gl/Targeted_particle_system.h"

#include "foundation/Random.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{

// Each pixel's red becomes how much it differs from the mean red around it, so
// only the edges of the letters stay lit.
QImage outline_of(QImage const& image)
{
    int const width = image.width();
    int const height = image.height();
    QImage outline(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            int sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
            {
                int const ny = std::clamp(y + dy, 0, height - 1);
                QRgb const* row = reinterpret_cast<QRgb const*>(image.constScanLine(ny));
                for (int dx = -1; dx <= 1; ++dx) sum += qRed(row[std::clamp(x + dx, 0, width - 1)]);
            }
            int const own = qRed(reinterpret_cast<QRgb const*>(image.constScanLine(y))[x]);
            outline.setPixel(x, y, qRgba(std::abs(sum / 9 - own), 0, 0, 255));
        }
    }
    return outline;
}

} // namespace

// The flight's speed profile (1 - p)^3 (3p + 1) averages 0.4 over the flight, so
// 2.5 times the distance per duration lands a particle on its target. A larger
// factor overshoots, and the weak, undamped pull afterwards never takes the
// overshoot back: a title would stay blurred by it for good.
Eigen::Vector3f Targeted_particle_system::initial_speed_towards(Eigen::Vector3f const& target,
                                                                Eigen::Vector3f const& position) const
{
    return (target - position) * 2.5f / _duration;
}

void Targeted_particle_system::generate(QImage const& image, Eigen::Vector2f const& extent)
{
    if (_particles.capacity() < 10000) _particles.reserve(10000);

    int const width = image.width();
    int const height = image.height();
    int created = 0;
    for (int x = 0; x < width; ++x)
    {
        for (int y = 0; y < height; ++y)
        {
            if (qRed(image.pixel(x, y)) <= 10) continue;

            Targeted_particle p;
            p.size = rand_unit() * 2.5f + 0.5f;
            float const u1 = rand_unit();
            float const u2 = rand_unit();
            p.color = Color4(1.f, u2 * 0.26f + 0.2f, 0.05f, u1 * 0.7f + 0.3f);
            float const angle = rand_unit() * 2.f * float(M_PI);
            p.position = Eigen::Vector3f(1.5f * std::cos(angle), 1.5f * std::sin(angle), 0.f);
            p.target = Eigen::Vector3f((float(x) / width * 2.f - 1.f) * extent.x(),
                                       -(float(y) / height * 2.f - 1.f) * extent.y(), 0.f);
            p.initial_speed = initial_speed_towards(p.target, p.position);
            _particles.push_back(p);
            ++created;
        }
    }
    std::cout << "Targeted_particle_system::generate"
              << " created " << created << " particles" << std::endl;
}

void Targeted_particle_system::generate_from_text(std::string const& text, QFont const& font, QRectF const& rectangle,
                                                  float aspect)
{
    int const image_size = 500;
    QImage image(image_size, image_size, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));

    QRect const pixel_rectangle(int(image_size * rectangle.x()), int(image_size * rectangle.y()),
                                int(image_size * rectangle.width()), int(image_size * rectangle.height()));
    int const flags = Qt::AlignHCenter | Qt::AlignVCenter;
    QString const string = QString::fromStdString(text);

    QFont measured(font);
    measured.setPointSizeF(10.0);
    QFontMetrics const metrics(measured);
    int const text_width =
        metrics.boundingRect(QRect(0, 0, pixel_rectangle.width(), pixel_rectangle.height()), flags, string).width();
    int const line_height = metrics.height();

    // An empty text (or an empty rectangle) leaves the image black: no particles.
    if (text_width > 0 && line_height > 0 && !pixel_rectangle.isEmpty())
    {
        float const scale =
            std::min(float(pixel_rectangle.width()) / text_width, float(pixel_rectangle.height()) / line_height);
        measured.setPointSizeF(scale * 9.5);
        QPainter painter(&image);
        painter.setFont(measured);
        painter.setPen(Qt::white);
        painter.drawText(pixel_rectangle, flags, string);
    }

    generate(outline_of(image), Eigen::Vector2f(1.f / aspect, 1.f));
}

void Targeted_particle_system::add_particles(std::vector<Targeted_particle> const& particles)
{
    for (Targeted_particle p : particles)
    {
        p.initial_speed = initial_speed_towards(p.target, p.position);
        _particles.push_back(p);
    }
}

void Targeted_particle_system::update(float dt)
{
    _time += dt;
    for (Targeted_particle& p : _particles)
    {
        if (p.age < 1.f)
        {
            // Progress stops at 1 so the flight ends with the particle at rest.
            p.age = std::min(p.age + dt / _duration, 1.f);
            float const remaining = 1.f - p.age;
            p.speed = remaining * remaining * remaining * (3.f * p.age + 1.f) * p.initial_speed;
        }
        else
        {
            Eigen::Vector3f const to_target = p.target - p.position;
            float const distance = to_target.norm();
            if (distance > 0.005f)
            {
                float const k = std::max(5.f * distance * distance, 0.01f);
                p.speed += to_target * dt * k * rand_unit() / distance;
            }
            else
            {
                float const rx = rand_signed();
                float const ry = rand_signed();
                float const rz = rand_signed();
                p.speed += Eigen::Vector3f(rx, ry, rz) * dt * 0.01f;
            }
        }
        p.position += dt * p.speed;
    }
}
