#pragma once

#include "windows/Aide.h"

#include <QWidget>

class Bureau;
class QTextBrowser;
class QUrl;

// The guide in a window of its own, not modal. A link inside the guide is
// followed there; an address outside it is handed to the desktop's browser,
// never fetched by the program.
class FrmAide final : public QWidget {
    Q_OBJECT

public:
    explicit FrmAide(Bureau& bureau, QWidget* parent = nullptr);

    // Scrolls the guide to `section`, as a step of its history.
    void afficherSection(SectionAide section);

    QTextBrowser* texte() const { return texte_; }

private:
    void lienClique(const QUrl& lien);

    Bureau& bureau_;
    QTextBrowser* texte_ = nullptr;
};
