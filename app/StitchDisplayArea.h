#pragma once

#include <QWidget>

#include <functional>

namespace wendle {

/// The surface the stitch chart is drawn on. It holds no state: its owner paints it, so
/// that the chart, the colours and the cell size stay in one place.
class TStitchDisplayArea : public QWidget {
    Q_OBJECT

public:
    using PaintHandler = std::function<void(QWidget& area, const QRect& exposed)>;

    explicit TStitchDisplayArea(QWidget* parent = nullptr);

    void SetPaintHandler(PaintHandler handler) { Handler = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler Handler;
};

} // namespace wendle
