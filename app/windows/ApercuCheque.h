#pragma once

#include <QCursor>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

// The cheque on the sheet of the configuration window's preview, at one
// quarter of its size. Its position is kept in millimetres of the sheet,
// unrounded; the widget only follows it to the nearest pixel. The left
// button drags it; the window turns each move into margins.
class ApercuCheque : public QWidget {
    Q_OBJECT

public:
    static constexpr double LargeurMm = 43.74; // a 175 mm cheque at one quarter
    static constexpr double HauteurMm = 20.0;  // 80 mm high

    explicit ApercuCheque(QWidget* feuille);

    double haut() const { return haut_; }
    double gauche() const { return gauche_; }
    void placer(double haut, double gauche);
    void placerHaut(double haut) { placer(haut, gauche_); }
    void placerGauche(double gauche) { placer(haut_, gauche); }

    // Where a button last went down, in millimetres of the cheque picture.
    QPointF ancre() const { return ancre_; }

    // Pixels of one millimetre on this screen.
    static double pixelsParMm(const QWidget* w);

    // The resting and grabbing cursors (resources 101 and 102).
    static QCursor curseurRepos();
    static QCursor curseurSaisie();

signals:
    // The cheque was dragged to this top and left (sheet millimetres).
    void deplace(double haut, double gauche);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPointF pointFeuille(const QPointF& local) const;

    double haut_ = 0;
    double gauche_ = 0;
    QPointF ancre_;
    QPixmap image_;
};
