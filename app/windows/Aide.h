#pragma once

#include <QString>

#include <memory>

class Bureau;
class FrmAide;
class QWidget;

// The parts of the guide a window opens it at: its table of contents, and
// one part per window.
enum class SectionAide {
    Sommaire,
    FenetrePrincipale,
    Configuration,
    ReglagePrecis,
    Historique,
    Apercu
};

// The anchor of a part in the guide's text.
QString AncreAide(SectionAide section);

// The guide's one window, shared by every window of the program: it is made
// the first time it is asked for and comes back where it was afterwards.
class Aide {
public:
    explicit Aide(Bureau& bureau);
    ~Aide();
    Aide(const Aide&) = delete;
    Aide& operator=(const Aide&) = delete;

    // Shows the guide at `section`, in front. A guide asked for from a modal
    // window stays usable while that window is open.
    void afficher(SectionAide section);
    // F1 in `fenetre` shows the guide at `section`.
    void relier(QWidget* fenetre, SectionAide section);
    // Closes the guide if it is open (the program is ending).
    void fermer();

    // Null until the guide is first shown.
    FrmAide* fenetre() const { return fenetre_.get(); }

private:
    Bureau& bureau_;
    std::unique_ptr<FrmAide> fenetre_;
};
