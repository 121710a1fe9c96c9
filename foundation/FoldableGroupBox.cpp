#include "foundation/FoldableGroupBox.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace
{

// The title written top to bottom, cut to the text with a small border.
QPixmap vertical_title(QString const& title)
{
    QImage image(30, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);

    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSize(7);
    painter.setFont(font);
    QRect const text_rect = QFontMetrics(font).boundingRect(title);
    int const width = text_rect.height() + 5;
    int const height = text_rect.width() + 10;

    // Rotated by 90 degrees, painter x runs down the image and painter -y across it.
    painter.rotate(90);
    painter.drawText(QRect(0, -width, height, width), Qt::AlignCenter, title);
    painter.end();

    return QPixmap::fromImage(image.copy(0, 0, width, height));
}

} // namespace

FoldableGroupBox::FoldableGroupBox(QString const& title, bool foldable, QWidget* parent)
    : QGroupBox(title, parent), _content(new QFrame), _title_label(new QLabel), _foldable(foldable)
{
    _title_label->setPixmap(vertical_title(title));

    QVBoxLayout* content_layout = new QVBoxLayout(_content);
    content_layout->setSpacing(0);
    content_layout->setContentsMargins(0, 0, 0, 0);

    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_title_label, 0, Qt::AlignTop);
    layout->addWidget(_content);
}

void FoldableGroupBox::mousePressEvent(QMouseEvent* event)
{
    if (_foldable && _title_label->geometry().contains(event->pos()))
    {
        _open = !_open;
        _content->setVisible(_open);
        update();
        return;
    }
    event->ignore();
    QGroupBox::mousePressEvent(event);
}
