#pragma once

#include <QLineEdit>

// The edit box of a position in millimetres: "+" and "-" step the value by
// one instead of being typed, and the whole text is selected on entry so that
// typing replaces it.
class BoiteMarge : public QLineEdit {
    Q_OBJECT

public:
    explicit BoiteMarge(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void pas(int delta);

    bool toutSelectionnerAuClic_ = false;
};
