#pragma once

#include <functional>

#include <QWidget>

namespace ostra {

// The picture control that shows the maker's logo: a hand cursor, a hint,
// and Click on a left click. What it draws is handed in as a paint
// function, so the picture can come from any renderer; without one it
// shows nothing and lets the window colour through.
class LogoImage : public QWidget {
    Q_OBJECT
public:
    using PaintFunction = std::function<void(QPainter& painter, const QRect& area)>;

    explicit LogoImage(QWidget* parent);

    void SetPaintFunction(PaintFunction paint);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PaintFunction paint_;
};

} // namespace ostra
