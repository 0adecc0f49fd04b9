#pragma once

#include <QWidget>

// A panel painted with a soft gradient, on which a window lays its controls. It
// follows the pointer and tells each time it moves over the panel itself
// (not over one of its controls).
class PanneauDegrade : public QWidget {
    Q_OBJECT

public:
    explicit PanneauDegrade(QWidget* parent = nullptr);

signals:
    void pointeurDeplace();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};
