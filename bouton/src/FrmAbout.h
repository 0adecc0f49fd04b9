#pragma once

#include <QDialog>

namespace bouton {

// The library's about box, built fresh for each showing.
class FrmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget* parent);

    // "Version major.minor.revision" of this library.
    static QString texteVersion();
};

} // namespace bouton
