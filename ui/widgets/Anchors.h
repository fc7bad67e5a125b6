#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace ostra {

// Keeps controls at fixed distances from the sides of their window that
// they are anchored to: anchored to both left and right, a control
// stretches; anchored to the right only, it moves.
class Anchors {
public:
    enum Side { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    explicit Anchors(QSize designSize) : designSize_(designSize) {}

    void Add(QWidget* control, int sides);
    void Apply(QSize clientSize) const;

private:
    struct Entry {
        QWidget* Control;
        QRect Design;
        int Sides;
    };

    QSize designSize_;
    std::vector<Entry> entries_;
};

} // namespace ostra
