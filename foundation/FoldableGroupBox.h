#ifndef FOUNDATION_FOLDABLEGROUPBOX_H
#define FOUNDATION_FOLDABLEGROUPBOX_H

#include <QGroupBox>

class QFrame;
class QLabel;

// A group box whose title also runs down its left edge; when foldable, a press on
// that vertical title shows or hides the content.
class FoldableGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit FoldableGroupBox(QString const& title, bool foldable = false, QWidget* parent = nullptr);

    // Fill the content through its vertical box layout.
    QFrame* get_content() const { return _content; }
    QLabel* get_title_label() const { return _title_label; }
    bool is_open() const { return _open; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QFrame* _content;
    QLabel* _title_label;
    bool _open = true;
    bool _foldable;
};

#endif
