#pragma once

#include "cheque/TravailCheque.h"
#include "settings/Reglages.h"
#include "settings/Resultat.h"

#include <QMainWindow>

#include <memory>
#include <optional>

struct AppScribane;
class AffichageMontant;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QToolButton;
class QPushButton;

// The main window: where a cheque is filled in.
class FrmCB : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmCB(AppScribane& app, QWidget* parent = nullptr);
    ~FrmCB() override;

    // What happens when the window loads: journal folder, the choice in use,
    // the first-run guidance and the conversion of a former settings file.
    void demarrer();

    // Loads the choice in use into the settings and brings the window in line;
    // the remembered lists too when `avecListes` (they are loaded once).
    void ChargerChoix(bool avecListes = true);

    void Minimiser();
    void AfficherAide();

    // The list pruning menu is offered once a choice exists.
    void activerRafraichir(bool actif);

    // Prints the cheque the window shows: lists saved, the cheque drawn on the
    // printer, the journal written, then the after-print options.
    void Imprimer();
    // The same cheque into a PDF file chosen in a save dialog: checked, kept
    // in the lists and journaled as a print.
    void EnregistrerPdf();
    // Shows the page as it will print, from where it can be printed.
    void AfficherApercu();
    // Prints a batch file's cheques, one page each, on the printer of the
    // choice in use: every line checked first, the whole batch confirmed,
    // then on numbered cheques which came out spoiled, and their reprint.
    void ImprimerLot();

    // Builds the amount in words from the amount box into the amount label.
    void PreparerMontant();

    // Saves the remembered lists (adding the texts of the boxes when they are
    // new) and, when given, `reglages` as the settings of the choice in use,
    // their default amount and payee joining the lists. A failed write is
    // told to the user and returned.
    Resultat<> EnregistrerChoix(const Reglages* reglages = nullptr);

    // A cheque taken back from the history: its amount and payee in the boxes,
    // ready to print again.
    void reprendreCheque(const QString& montant, const QString& destinataire);

    AffichageMontant& lblMontant() { return *lblMontant_; }
    // Replaces the plain amount label by another display (the button control).
    void remplacerLblMontant(std::unique_ptr<AffichageMontant> affichage);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    enum class Sortie { Imprimante, Pdf };
    struct QuestionsFenetre;
    // `reimpressionDe`: the spoiled cheque of the register this print replaces.
    void imprimerVers(Sortie sortie, std::optional<std::int64_t> reimpressionDe = std::nullopt);
    // After a print on numbered cheques: whether it came out well; a spoiled
    // one is kept as such, and may be printed again on the next number.
    void verifierImpression(const ChequeInscrit& inscrit);
    // Whether a print can start at all: a usable printer (unless `pdf`) and
    // the register; the user is told why not.
    bool peutImprimer(bool pdf);
    // The batch's cheques on one job; `reimpressionsDe`: the spoiled cheques
    // the first ones replace.
    void imprimerLot(const QVector<ChequeSaisi>& saisis,
                     const QVector<std::int64_t>& reimpressionsDe = {});
    // After a batch on numbered cheques: all came out well, or the user ticks
    // the spoiled ones, kept as such and offered for a reprint.
    void verifierLot(const QVector<ChequeInscrit>& inscrits, const QVector<ChequeSaisi>& saisis);
    // What the settings do once a cheque is out: minimise, default texts back.
    void apresImpression();
    // The cheque the boxes hold, as typed.
    ChequeSaisi chequeSaisi() const;
    // The cheque as it prints, or nothing when the amount is refused (the
    // user has been told).
    std::optional<ChequePrepare> chequeAImprimer();
    // The boxes take the lists as they were saved with a print.
    void afficherListes(const ListesMemorisees& listes);
    // Tells the user, once each, of texts Cheque.ini keeps with "?" in places.
    void signalerNonRepresentables(const QStringList& textes);
    // Writes the amount box from the program: its words are spelled once.
    void ecrireMontant(const QString& texte);
    void construire();
    void construireMenus();
    void focaliserMontant();
    void voirJournaux();
    void actualiserRaccourci();
    void toucheRaccourci(int code);
    void montantModifie();
    void montantQuitte();
    void supprimerSelection(QComboBox* boite, const QString& messageSansSelection);
    void supprimerTout(QComboBox* boite, QString& defaut);
    void ouvrirConfiguration();
    void afficherReglagesAppliques();
    void afficherPolice(bool avecFamille);
    void ouvrirRegistre();

public:
    // "Chèque n° 1234567" beside the print button when the choice's chequebook
    // is numbered.
    void afficherNumero();

private:
    AppScribane& app_;
    QComboBox* cboM_ = nullptr;
    QComboBox* cboD_ = nullptr;
    QComboBox* cboL_ = nullptr;
    QDateEdit* dtp_ = nullptr;
    std::unique_ptr<AffichageMontant> lblMontant_;
    QLabel* lblImprimante_ = nullptr;
    QLabel* lblOrientation_ = nullptr;
    QLabel* lblPolice_ = nullptr;
    QLabel* lblRaccourci_ = nullptr;
    QLabel* lblNumero_ = nullptr;
    QLabel* image1_ = nullptr;
    QToolButton* boutonImprimer_ = nullptr;
    QToolButton* boutonAide_ = nullptr;
    QPushButton* boutonQuitter_ = nullptr;
    QMenu* mnuRafraichir_ = nullptr;
    QList<std::pair<int, class QShortcut*>> raccourcis_;
    QStringList textesSignales_; // told once each that Cheque.ini cannot keep them
    QString montantEpele_;       // the amount text the label was last given words for
};
