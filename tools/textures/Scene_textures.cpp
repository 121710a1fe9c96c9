#include "Scene_textures.h"

#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <iostream>
#include <random>
#include <vector>

namespace
{

double const pi = 3.14159265358979;

// Smooth noise on a grid of `cells` that wraps at the image border, so the
// textures it makes repeat without seams.
class Tiling_noise
{
public:
    Tiling_noise(int cells, unsigned seed) : _cells(cells), _values(size_t(cells) * cells)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (double& value : _values) value = unit(random);
    }

    // u, v in [0, 1).
    double at(double u, double v) const
    {
        double const x = u * _cells;
        double const y = v * _cells;
        int const x0 = int(std::floor(x));
        int const y0 = int(std::floor(y));
        double const fx = smooth(x - x0);
        double const fy = smooth(y - y0);
        double const top = mix(value(x0, y0), value(x0 + 1, y0), fx);
        double const bottom = mix(value(x0, y0 + 1), value(x0 + 1, y0 + 1), fx);
        return mix(top, bottom, fy);
    }

private:
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    static double mix(double a, double b, double t) { return a + (b - a) * t; }
    double value(int x, int y) const
    {
        int const wx = ((x % _cells) + _cells) % _cells;
        int const wy = ((y % _cells) + _cells) % _cells;
        return _values[size_t(wy) * _cells + wx];
    }

    int _cells;
    std::vector<double> _values;
};

// Octaves of tiling noise, about 0..1.
double fractal(std::vector<Tiling_noise> const& octaves, double u, double v)
{
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (Tiling_noise const& octave : octaves)
    {
        sum += octave.at(u, v) * amplitude;
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}

std::vector<Tiling_noise> noise_octaves(int first_cells, int count, unsigned seed)
{
    std::vector<Tiling_noise> octaves;
    for (int i = 0; i < count; ++i) octaves.emplace_back(first_cells << i, seed + unsigned(i) * 7919u);
    return octaves;
}

int channel(double value)
{
    return std::max(0, std::min(255, int(std::lround(value * 255.0))));
}

// Frost: pale blue cloudy ice with fine bright crystal needles.
QImage ice()
{
    int const size = 512;
    QImage image(size, size, QImage::Format_RGB32);
    std::vector<Tiling_noise> const clouds = noise_octaves(4, 6, 11);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            double const n = fractal(clouds, double(x) / size, double(y) / size);
            double const shade = 0.55 + 0.45 * n;
            image.setPixel(x, y, qRgb(channel(shade * 0.78), channel(shade * 0.9), channel(shade * 1.0)));
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // Needles branch from seeds; each is drawn at the nine wrapped places so
    // that those crossing the border continue on the other side.
    std::function<void(QPointF, double, double, int)> needle = [&](QPointF from, double angle, double length,
                                                                   int depth) {
        QPointF const to = from + QPointF(std::cos(angle), std::sin(angle)) * length;
        painter.setPen(QPen(QColor(240, 250, 255, 70 + 40 * depth), 0.6 + 0.5 * depth));
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                painter.drawLine(from + QPointF(dx * size, dy * size), to + QPointF(dx * size, dy * size));
        if (depth == 0) return;
        int const branches = 3 + int(unit(random) * 3);
        for (int b = 0; b < branches; ++b)
        {
            double const along = 0.25 + 0.6 * unit(random);
            QPointF const start = from + (to - from) * along;
            double const turn = (unit(random) < 0.5 ? -1.0 : 1.0) * (pi / 3.0);
            needle(start, angle + turn, length * (0.25 + 0.2 * unit(random)), depth - 1);
        }
    };
    for (int i = 0; i < 38; ++i)
    {
        QPointF const seed(unit(random) * size, unit(random) * size);
        needle(seed, unit(random) * 2.0 * pi, 30.0 + 60.0 * unit(random), 2);
    }
    return image;
}

// The reflection map: the station interior, heavily blurred.
QImage blurred(QImage const& sharp)
{
    QImage const small =
        sharp.scaled(sharp.width() / 16, sharp.height() / 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return small.scaled(256, 128, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// One tile of the hall around the field, repeated ten times on each of its
// walls: dark plating in large and small panels, thin seams where tiles meet
// and one small lamp, so the walls read as a far hall without drawing the eye.
QImage background_grid()
{
    int const size = 128;
    QImage image(size, size, QImage::Format_RGB32);
    std::vector<Tiling_noise> const grain = noise_octaves(8, 4, 5);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            double const n = fractal(grain, double(x) / size, double(y) / size);
            double const shade = 0.8 + 0.2 * n;
            image.setPixel(x, y, qRgb(channel(0.075 * shade), channel(0.09 * shade), channel(0.13 * shade)));
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (QRectF const panel : {QRectF(5, 5, 74, 118), QRectF(84, 5, 39, 56), QRectF(84, 67, 39, 56)})
    {
        QLinearGradient face(panel.topLeft(), panel.bottomLeft());
        face.setColorAt(0.0, QColor(60, 75, 105, 45));
        face.setColorAt(1.0, QColor(0, 0, 0, 40));
        painter.setBrush(face);
        painter.setPen(QPen(QColor(95, 120, 165, 45), 1.0));
        painter.drawRoundedRect(panel, 3, 3);
    }
    // Seams on the tile border: half on each side, so neighbours meet in one line.
    QColor const seam(70, 105, 160, 110);
    for (int edge : {0, size - 1})
    {
        painter.fillRect(QRect(0, edge, size, 1), seam);
        painter.fillRect(QRect(edge, 0, 1, size), seam);
    }
    QPointF const lamp(103, 33);
    QRadialGradient glow(lamp, 20);
    glow.setColorAt(0.0, QColor(140, 190, 255, 110));
    glow.setColorAt(1.0, QColor(140, 190, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(lamp, 20, 20);
    painter.setBrush(QColor(200, 228, 255));
    painter.drawEllipse(lamp, 3, 3);
    return image;
}

QImage molecule_releaser()
{
    int const width = 256, height = 128;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(0, 0, 0, height);
    metal.setColorAt(0.0, QColor(70, 80, 140));
    metal.setColorAt(0.5, QColor(150, 160, 220));
    metal.setColorAt(1.0, QColor(50, 58, 110));
    painter.fillRect(image.rect(), metal);
    painter.setPen(QPen(QColor(230, 235, 255, 160), 3));
    for (int x = 16; x < width; x += 32) painter.drawLine(x, 0, x + 16, height);
    return image;
}

// A soft round glow, white so that drawing tints it.
QImage particle()
{
    int const size = 64;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(size / 2.0, size / 2.0), size / 2.0);
    glow.setColorAt(0.0, QColor(255, 255, 255, 255));
    glow.setColorAt(0.35, QColor(255, 255, 255, 150));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(image.rect());
    return image;
}

// The panels lie under an element's parameter handles: a dark glass plate
// whose left end says what the element does and whose right part carries a
// scale from one end of the setting to the other.
int const panel_width = 824;
int const panel_height = 347;

struct Panel_style
{
    QColor accent;
    QString title;
    QColor low;
    QColor high;
    QString low_mark;
    QString high_mark;
};

QImage panel(Panel_style const& style, std::function<void(QPainter&, QRectF const&)> const& draw_icon)
{
    QImage image(panel_width, panel_height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QRectF const plate = QRectF(image.rect()).adjusted(6, 6, -6, -6);
    QLinearGradient glass(plate.topLeft(), plate.bottomLeft());
    glass.setColorAt(0.0, QColor(34, 44, 62, 215));
    glass.setColorAt(1.0, QColor(12, 16, 26, 200));
    painter.setBrush(glass);
    painter.setPen(QPen(style.accent, 5));
    painter.drawRoundedRect(plate, 34, 34);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(plate.adjusted(9, 9, -9, -9), 26, 26);

    QRectF const icon(38, 48, 200, 200);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(style.accent.red(), style.accent.green(), style.accent.blue(), 45));
    painter.drawEllipse(icon.adjusted(-10, -10, 10, 10));
    draw_icon(painter, icon);

    QFont title("Sans");
    title.setBold(true);
    title.setPixelSize(46);
    // Long titles shrink to fit under the icon.
    while (QFontMetrics(title).horizontalAdvance(style.title) > 210) title.setPixelSize(title.pixelSize() - 2);
    painter.setFont(title);
    painter.setPen(QColor(235, 240, 250));
    painter.drawText(QRectF(20, 262, 236, 64), Qt::AlignCenter, style.title);

    // The scale: a bar from low to high with its two end marks.
    QRectF const bar(300, 150, 470, 44);
    QLinearGradient range(bar.topLeft(), bar.topRight());
    range.setColorAt(0.0, style.low);
    range.setColorAt(1.0, style.high);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 3));
    painter.setBrush(range);
    painter.drawRoundedRect(bar, 22, 22);
    painter.setPen(QPen(QColor(255, 255, 255, 120), 3));
    for (int tick = 0; tick <= 10; ++tick)
    {
        double const x = bar.left() + 22 + (bar.width() - 44) * tick / 10.0;
        double const length = tick % 5 == 0 ? 26 : 14;
        painter.drawLine(QPointF(x, bar.bottom() + 10), QPointF(x, bar.bottom() + 10 + length));
    }
    QFont marks("Sans");
    marks.setBold(true);
    marks.setPixelSize(56);
    painter.setFont(marks);
    painter.setPen(style.low.lighter(130));
    painter.drawText(QRectF(bar.left(), 40, 160, 90), Qt::AlignLeft | Qt::AlignVCenter, style.low_mark);
    painter.setPen(style.high.lighter(130));
    painter.drawText(QRectF(bar.right() - 160, 40, 160, 90), Qt::AlignRight | Qt::AlignVCenter, style.high_mark);
    return image;
}

void draw_thermometer(QPainter& painter, QRectF const& box)
{
    QPointF const bulb(box.center().x(), box.bottom() - 42);
    QRectF const tube(box.center().x() - 20, box.top() + 14, 40, box.height() - 70);
    painter.setPen(QPen(QColor(240, 240, 250), 8));
    painter.setBrush(QColor(30, 36, 50));
    painter.drawRoundedRect(tube, 20, 20);
    painter.drawEllipse(bulb, 38, 38);
    QLinearGradient mercury(tube.bottomLeft(), tube.topLeft());
    mercury.setColorAt(0.0, QColor(255, 60, 30));
    mercury.setColorAt(1.0, QColor(80, 120, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(mercury);
    painter.drawRoundedRect(tube.adjusted(10, 40, -10, 10), 10, 10);
    painter.setBrush(QColor(255, 70, 35));
    painter.drawEllipse(bulb, 27, 27);
    // Waves of heat beside the tube.
    painter.setPen(QPen(QColor(255, 140, 60), 7, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int side : {-1, 1})
    {
        QPainterPath wave;
        double const x = box.center().x() + side * 68;
        wave.moveTo(x, box.top() + 40);
        for (int i = 1; i <= 4; ++i)
            wave.quadTo(x + side * 14 * ((i % 2) ? 1 : -1), box.top() + 40 + i * 22 - 11, x, box.top() + 40 + i * 22);
        painter.drawPath(wave);
    }
}

void draw_tractor(QPainter& painter, QRectF const& box)
{
    QPointF const centre = box.center();
    // A wheel with spokes, driving a stream of chevrons to the right.
    QPointF const hub = centre + QPointF(-38, 0);
    painter.setPen(QPen(QColor(240, 240, 250), 9));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(hub, 46, 46);
    for (int spoke = 0; spoke < 6; ++spoke)
    {
        double const angle = spoke * pi / 3.0 + pi / 6.0;
        painter.drawLine(hub, hub + QPointF(46 * std::cos(angle), 46 * std::sin(angle)));
    }
    painter.setPen(QPen(QColor(255, 120, 40), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int i = 0; i < 3; ++i)
    {
        double const x = centre.x() + 36 + i * 26;
        QPolygonF chevron;
        chevron << QPointF(x - 12, centre.y() - 30) << QPointF(x + 10, centre.y()) << QPointF(x - 12, centre.y() + 30);
        painter.drawPolyline(chevron);
    }
}

void draw_charges(QPainter& painter, QRectF const& box)
{
    QPointF const positive(box.center().x() - 40, box.center().y() - 30);
    QPointF const negative(box.center().x() + 42, box.center().y() + 34);
    painter.setPen(QPen(QColor(240, 240, 250), 7));
    painter.setBrush(QColor(204, 77, 204));
    painter.drawEllipse(positive, 52, 52);
    painter.setBrush(QColor(128, 204, 77));
    painter.drawEllipse(negative, 46, 46);
    painter.setPen(QPen(QColor(255, 255, 255), 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(positive + QPointF(-24, 0), positive + QPointF(24, 0));
    painter.drawLine(positive + QPointF(0, -24), positive + QPointF(0, 24));
    painter.drawLine(negative + QPointF(-22, 0), negative + QPointF(22, 0));
}

bool save(QImage const& image, QDir const& data, QString const& name)
{
    QString const path = data.filePath("textures/" + name);
    if (image.save(path)) return true;
    std::cerr << "cannot write " << path.toStdString() << std::endl;
    return false;
}

} // namespace

bool paint_scene_textures(QDir const& data, QImage const& station_interior)
{
    data.mkpath("textures");

    Panel_style const heat{QColor(255, 110, 60), "HEAT", QColor(60, 110, 255), QColor(255, 60, 30), "−", "+"};
    Panel_style const tractor{QColor(255, 150, 50), "TRACTOR", QColor(90, 90, 110), QColor(255, 140, 40), "‹", "›"};
    Panel_style const charge{QColor(204, 77, 204), "CHARGE", QColor(128, 204, 77), QColor(204, 77, 204), "−", "+"};

    bool written = true;
    written &= save(ice(), data, "ice_texture.png");
    written &= save(blurred(station_interior), data, "iss_interior_1_blurred.png");
    written &= save(background_grid(), data, "background_grid.png");
    written &= save(panel(heat, draw_thermometer), data, "brownian_panel.png");
    written &= save(panel(tractor, draw_tractor), data, "tractor_panel.png");
    written &= save(panel(charge, draw_charges), data, "panel_charged_barrier.png");
    written &= save(molecule_releaser(), data, "molecule_releaser.png");
    written &= save(particle(), data, "particle.png");
    return written;
}
