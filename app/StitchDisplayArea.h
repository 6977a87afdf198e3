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
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    /// The user asked for the chart's menu: a right click, the Menu key or Shift+F10.
    void MenuRequested(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PaintHandler Handler;
};

} // namespace wendle
