#ifndef FOUNDATION_COMBO_SWITCHER_H
#define FOUNDATION_COMBO_SWITCHER_H

#include <QWidget>

#include <vector>

class QComboBox;

// A combo box above one sub-widget per item, of which only the chosen one shows.
class Combo_switcher : public QWidget
{
    Q_OBJECT

public:
    Combo_switcher(QComboBox* combo_box, std::vector<QWidget*> const& sub_widgets, QWidget* parent = nullptr);

    QComboBox* get_combo_box() const { return _combo_box; }
    std::vector<QWidget*> const& get_sub_widgets() const { return _sub_widgets; }

public slots:
    void change_sub_box(int index);

private:
    QComboBox* _combo_box;
    std::vector<QWidget*> _sub_widgets;
};

#endif
