#include "widgets/Widget_painting.h"

#include "widgets/Draggable_statistics.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace
{

QColor const frame_color(20, 133, 204);
QColor const fill_color(76, 153, 204, 120);

// The pixels a widget of `size` covers, at least one each way so that a
// widget of no size still gets a texture.
QImage transparent_image(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage widget_image(QSize const& viewport, Eigen::Vector2f const& size)
{
    return transparent_image(int(viewport.width() * size.x()), int(viewport.height() * size.y()));
}

void begin_painting(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// The point size that makes the text fill the given shares of the area, from
// its bounding box at 10 pt; 0 when the text has no extent to measure.
qreal fitted_point_size(QPainter& painter, QFont font, QRectF const& area, int flags, QString const& text,
                        qreal width_share, qreal height_share)
{
    font.setPointSizeF(10.0);
    painter.setFont(font);
    QRectF const box = painter.boundingRect(area, flags, text);
    if (text.isEmpty() || !(box.width() > 0.0) || !(box.height() > 0.0)) return 0.0;
    return 10.0 * std::min(width_share * area.width() / box.width(), height_share * area.height() / box.height());
}

// Draws the text fitted into the whole image; empty text draws nothing.
void draw_fitted_text(QPainter& painter, QFont font, QRectF const& area, int flags, QString const& text,
                      qreal width_share, qreal height_share)
{
    qreal const point_size = fitted_point_size(painter, font, area, flags, text, width_share, height_share);
    if (!(point_size > 0.0)) return;
    font.setPointSizeF(point_size);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(area, flags, text);
}

// Word-wrapped text in an image w x h, cropped to what it covers plus 2 pixels
// left and above and 4 right and below.
QImage paint_wrapped_text(int width, int height, int pixel_size, QString const& text, QFont font, int flags,
                          bool smooth)
{
    QImage image = transparent_image(width, height);
    QRect crop;
    {
        QPainter painter(&image);
        begin_painting(painter);
        if (smooth) painter.setRenderHints(QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        font.setPixelSize(std::max(pixel_size, 1));
        painter.setFont(font);
        painter.setPen(Qt::white);
        QRect const column(QPoint(20, 20), QPoint(image.width() - 41, image.height() - 41));
        QRect covered;
        painter.drawText(column, flags, text, &covered);
        crop = covered.adjusted(-2, -2, 4, 4).intersected(image.rect());
    }
    return crop.isEmpty() ? transparent_image(1, 1) : image.copy(crop);
}

QString axis_number(float value, int format)
{
    if (format == Draggable_statistics::Plain_number) return QString("%1").arg(double(value), 0, 'f', 0);
    if (format == Draggable_statistics::Percentage) return QString("%1%").arg(double(value) * 100.0, 0, 'f', 0);
    return QString();
}

// Green while within the time limit, turning orange as the score decays after it.
QColor decay_color(float e)
{
    QColor color;
    color.setRgbF(std::clamp((122.f * e + 255.f * (1.f - e)) / 255.f, 0.f, 1.f),
                  std::clamp((225.f * e + 134.f * (1.f - e)) / 255.f, 0.f, 1.f),
                  std::clamp((5.f * e + 36.f * (1.f - e)) / 255.f, 0.f, 1.f), 0.85);
    return color;
}

void draw_time_limit_curve(QPainter& painter, int w, int h, float duration, float time_limit, qreal pen_width)
{
    auto const decay = [&](float t) {
        float const elapsed = duration * t;
        return elapsed < time_limit ? 1.f : std::exp(-(elapsed - time_limit) / time_limit);
    };
    auto const point = [&](float t) {
        return QPointF(int(w * (0.1f + 0.8f * t)), int(h * (0.25f + 0.6f * (1.f - decay(t)))));
    };
    int const segments = 49;
    for (int i = 0; i < segments; ++i)
    {
        float const t0 = float(i) / segments;
        float const t1 = float(i + 1) / segments;
        painter.setPen(QPen(decay_color(decay(t0)), pen_width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(point(t0), point(t1));
    }
}

} // namespace

QImage paint_button(QSize const& viewport, Eigen::Vector2f const& size, QString const& text, QFont const& font)
{
    QImage image = widget_image(viewport, size);
    QPainter painter(&image);
    begin_painting(painter);
    int const w = image.width();
    int const h = image.height();
    painter.setPen(QPen(frame_color, int(viewport.width() * 5 / 1000)));
    painter.setBrush(fill_color);
    qreal const radius = std::max(0.0, std::min((w - 10) / 2.0, (h - 10) / 2.0));
    painter.drawRoundedRect(QRectF(QPointF(5, 5), QPointF(w - 6, h - 6)), radius, radius);
    draw_fitted_text(painter, font, QRectF(image.rect()), Qt::AlignCenter, text, 0.8, 0.5);
    return image;
}

QImage paint_label(QSize const& viewport, Eigen::Vector2f const& size, QString const& text, QFont const& font,
                   int flags)
{
    QImage image = widget_image(viewport, size);
    QPainter painter(&image);
    begin_painting(painter);
    draw_fitted_text(painter, font, QRectF(image.rect()), flags, text, 0.8, 0.8);
    return image;
}

QImage paint_flowing_text(QSize const& viewport, float width_fraction, QString const& text, QFont const& font)
{
    return paint_wrapped_text(int(viewport.width() * width_fraction), int(viewport.height() * 0.5f),
                              int(viewport.width() * 0.02f), text, font,
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
}

QImage paint_tooltip_text(QSize const& viewport, QString const& text, QFont const& font)
{
    QImage const words =
        paint_wrapped_text(int(viewport.width() * 0.3f), int(viewport.height() * 0.5f), int(viewport.width() * 0.02f),
                           text, font, Qt::AlignLeft | Qt::TextWordWrap, true);
    // On a dark plate, so that the text reads over the widgets and the scene alike.
    int const margin = std::max(viewport.width() / 160, 2);
    QImage image = transparent_image(words.width() + 2 * margin, words.height() + 2 * margin);
    QPainter painter(&image);
    begin_painting(painter);
    painter.setPen(QPen(frame_color, std::max(viewport.width() / 640, 1)));
    painter.setBrush(QColor(16, 22, 34, 215));
    painter.drawRoundedRect(QRectF(image.rect()).adjusted(1, 1, -1, -1), margin * 1.5, margin * 1.5);
    painter.drawImage(QPoint(margin, margin), words);
    return image;
}

QImage paint_statistics(QSize const& viewport, Draggable_statistics const& plot, float duration, float time_limit,
                        QFont const& font)
{
    QImage image = widget_image(viewport, plot.get_size());
    QPainter painter(&image);
    begin_painting(painter);
    int const w = image.width();
    int const h = image.height();

    painter.setPen(QPen(frame_color, int(viewport.width() * 2 / 1000)));
    painter.setBrush(fill_color);
    painter.drawRoundedRect(QRectF(QPointF(2, 2), QPointF(w - 3, h - 3)), w * 0.02, w * 0.02);

    QFont title_font = font;
    title_font.setPixelSize(std::max(int(h * 0.1), 1));
    painter.setFont(title_font);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(int(w * 0.1), int(h * 0.15)), QString::fromStdString(plot.get_text()));

    QFont number_font = font;
    number_font.setPixelSize(std::max(int(h * 0.06), 1));
    painter.setFont(number_font);
    int const number_flags = Qt::AlignRight | Qt::AlignVCenter;
    int const format = plot.get_value_format();
    painter.drawText(QRect(0, int(0.8 * h), int(0.1 * w), int(0.1 * h)), number_flags,
                     axis_number(plot.get_min_value(), format));
    painter.drawText(QRect(0, int(0.2 * h), int(0.1 * w), int(0.1 * h)), number_flags,
                     axis_number(plot.get_max_value(), format));
    painter.drawText(QRect(int(0.8 * w), int(0.85 * h), int(0.1 * w), int(0.1 * h)), number_flags,
                     QString("%1 s").arg(double(duration), 0, 'f', 0));

    painter.setPen(QPen(QColor(255, 255, 255, 100), 0.5));
    for (int i = 0; i < 5; ++i)
    {
        int const y = int(h * (0.85 - 0.15 * i));
        painter.drawLine(QPoint(int(0.1 * w), y), QPoint(int(0.9 * w), y));
    }

    if (time_limit > 0.f)
        draw_time_limit_curve(painter, w, h, duration, time_limit, std::max(1.5, viewport.width() * 0.002));
    return image;
}

QImage paint_digit(int digit, QFont const& digit_font, int viewport_width)
{
    QFont font = digit_font;
    font.setPointSizeF(std::max(viewport_width * 0.05, 1.0));
    QString const text = QString("%1").arg(digit);

    // Sized from the glyph's own metrics, so large viewports do not clip it.
    QImage scratch = transparent_image(1, 1);
    QFontMetricsF const metrics(font, &scratch);
    QRectF const glyph = metrics.boundingRect(text);
    int const margin = 4;
    scratch = transparent_image(int(std::ceil(std::max(glyph.width(), metrics.horizontalAdvance(text)))) + 2 * margin,
                                int(std::ceil(metrics.height())) + 2 * margin);

    QRect covered;
    {
        QPainter painter(&scratch);
        begin_painting(painter);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(scratch.rect(), Qt::AlignCenter, text, &covered);
    }
    covered = covered.intersected(scratch.rect());

    QImage digit_image = transparent_image(covered.width() + 4, covered.height() + 4);
    QPainter painter(&digit_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(2, 2), scratch, covered);
    return digit_image;
}

Eigen::Vector3f tooltip_position(Eigen::Vector3f const& position, Eigen::Vector3f const& offset,
                                 Eigen::Vector2f const& size)
{
    float const distance = offset.y() / 2.f + size.y() / 2.f + 0.01f;
    float y = position.y() - distance;
    if (y - size.y() / 2.f < 0.f) y = position.y() + distance;

    float const margin = size.x() / 2.f + 0.05f;
    // A tooltip wider than the screen minus both margins sits in the middle.
    float const x = margin > 1.f - margin ? 0.5f : std::clamp(position.x(), margin, 1.f - margin);
    return Eigen::Vector3f(x, y, position.z());
}

Eigen::Vector2f fraction_of_viewport(QSize const& image, QSize const& viewport)
{
    return Eigen::Vector2f(float(image.width()) / float(std::max(viewport.width(), 1)),
                           float(image.height()) / float(std::max(viewport.height(), 1)));
}
