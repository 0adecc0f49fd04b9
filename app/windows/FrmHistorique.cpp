#include "windows/FrmHistorique.h"

#include "cheque/TravailCheque.h"
#include "settings/EcritureAtomique.h"
#include "windows/AppScribane.h"
#include "windows/DossierDocuments.h"
#include "windows/FrmRapprochement.h"
#include "words/MontantTexte.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSize>
#include <QPdfWriter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>

namespace {

// An amount bound typed by the user, in cents; nothing when the box is empty
// or does not hold an amount.
std::optional<std::int64_t> Borne(const QLineEdit* boite) {
    const auto montant = LireMontant(boite->text());
    if (!montant || *montant < 0)
        return std::nullopt;
    return std::llround(*montant * 100);
}

QString Echapper(const QString& texte) {
    return texte.toHtmlEscaped();
}

// One line under the table when some journal could not be read whole, naming
// it (or how many); the tooltip gives each with its folder. Empty otherwise.
std::pair<QString, QString> DireJournauxEndommages(const LectureJournaux& lecture,
                                                   const QString& dossier) {
    QStringList parties, details, avecLignes, illisibles;
    for (const JournalEndommage& e : lecture.endommages) {
        const QString chemin = QDir::toNativeSeparators(dossier + u'/' + e.fichier);
        if (e.illisible) {
            illisibles << e.fichier;
            details << QStringLiteral("%1 : illisible").arg(chemin);
        } else {
            avecLignes << e.fichier;
            details
                << QStringLiteral("%1 : %2 ligne(s) ignorée(s)").arg(chemin).arg(e.lignesIgnorees);
        }
    }
    auto lesquels = [](const QStringList& noms) {
        return noms.size() == 1 ? noms.front() : QStringLiteral("%1 journaux").arg(noms.size());
    };
    if (!avecLignes.isEmpty())
        parties << QStringLiteral("%1 ligne(s) illisible(s) ignorée(s) dans %2")
                       .arg(lecture.lignesIgnorees)
                       .arg(lesquels(avecLignes));
    if (!illisibles.isEmpty())
        parties
            << (illisibles.size() == 1
                    ? QStringLiteral("%1 n'a pas pu être lu").arg(illisibles.front())
                    : QStringLiteral("%1 journaux n'ont pas pu être lus").arg(illisibles.size()));
    if (parties.isEmpty())
        return {};
    return {parties.join(QStringLiteral(" ; ")) +
                QStringLiteral(" : la liste peut être incomplète."),
            details.join(u'\n')};
}

} // namespace

FrmHistorique::FrmHistorique(AppScribane& app, QWidget* parent)
    : QDialog(parent), app_(app), filtre_(modele_) {
    setObjectName(QStringLiteral("FrmHistorique"));
    setWindowTitle(QStringLiteral("Historique des chèques"));
    resize(820, 560);

    recherche_ = new QLineEdit(this);
    recherche_->setObjectName(QStringLiteral("TxtRecherche"));
    recherche_->setPlaceholderText(QStringLiteral("Destinataire, émetteur, lieu ou numéro"));
    recherche_->setClearButtonEnabled(true);
    recherche_->setAccessibleName(QStringLiteral("Rechercher"));

    const QDate aujourdhui = app_.plateforme.horloge.maintenant().date();
    auto nouvelleDate = [this, aujourdhui](const char* nom, const QDate& date) {
        auto* d = new QDateEdit(date, this);
        d->setObjectName(QLatin1String(nom));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setEnabled(false);
        return d;
    };
    depuis_ = new QCheckBox(QStringLiteral("Du"), this);
    depuis_->setObjectName(QStringLiteral("ChkDu"));
    du_ = nouvelleDate("DateDu", aujourdhui.addYears(-1));
    jusqua_ = new QCheckBox(QStringLiteral("au"), this);
    jusqua_->setObjectName(QStringLiteral("ChkAu"));
    au_ = nouvelleDate("DateAu", aujourdhui);
    minimum_ = new QLineEdit(this);
    minimum_->setObjectName(QStringLiteral("TxtMontantMin"));
    minimum_->setAccessibleName(QStringLiteral("Montant minimum"));
    maximum_ = new QLineEdit(this);
    maximum_->setObjectName(QStringLiteral("TxtMontantMax"));
    maximum_->setAccessibleName(QStringLiteral("Montant maximum"));
    for (QLineEdit* b : {minimum_, maximum_}) {
        b->setPlaceholderText(QStringLiteral("0,00"));
        b->setMaximumWidth(110);
    }

    statut_ = new QComboBox(this);
    statut_->setObjectName(QStringLiteral("CboStatut"));
    statut_->setAccessibleName(QStringLiteral("État des chèques"));
    const std::pair<const char*, FiltreStatut> etats[] = {
        {"Tous les chèques", FiltreStatut::Tous}, {"Émis (encaissés ou non)", FiltreStatut::Emis},
        {"Non encaissés", FiltreStatut::EnCours}, {"Encaissés", FiltreStatut::Encaisse},
        {"Gâchés", FiltreStatut::Gache},          {"Annulés", FiltreStatut::Annule},
    };
    for (const auto& [texte, etat] : etats)
        statut_->addItem(QString::fromUtf8(texte), static_cast<int>(etat));

    auto* criteres = new QGridLayout;
    auto* lblRecherche = new QLabel(QStringLiteral("&Rechercher :"), this);
    lblRecherche->setBuddy(recherche_);
    criteres->addWidget(lblRecherche, 0, 0);
    criteres->addWidget(recherche_, 0, 1, 1, 3);
    auto* lblStatut = new QLabel(QStringLiteral("É&tat :"), this);
    lblStatut->setBuddy(statut_);
    criteres->addWidget(lblStatut, 0, 4);
    criteres->addWidget(statut_, 0, 5);
    criteres->addWidget(depuis_, 1, 0);
    criteres->addWidget(du_, 1, 1);
    criteres->addWidget(jusqua_, 1, 2);
    criteres->addWidget(au_, 1, 3);
    criteres->addWidget(new QLabel(QStringLiteral("Montant de"), this), 2, 0);
    criteres->addWidget(minimum_, 2, 1);
    criteres->addWidget(new QLabel(QStringLiteral("à"), this), 2, 2);
    criteres->addWidget(maximum_, 2, 3);
    criteres->setColumnStretch(3, 1);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("TableCheques"));
    table_->setModel(&filtre_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ModeleHistorique::Date, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // Rows of one height: with a hundred thousand cheques a header that
    // measures each row at every change of the filter is what the user waits for.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(ModeleHistorique::Destinataire,
                                                     QHeaderView::Stretch);
    table_->setToolTip(QStringLiteral("Double-clic : reprendre ce chèque dans la fenêtre "
                                      "principale"));

    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("LblTotal"));
    QFont gras = total_->font();
    gras.setBold(true);
    total_->setFont(gras);
    enCours_ = new QLabel(this);
    enCours_->setObjectName(QStringLiteral("LblEnCours"));
    enCours_->setToolTip(QStringLiteral("Les chèques émis que la banque n'a pas encore "
                                        "débités, sur tout le registre"));
    ignorees_ = new QLabel(this);
    ignorees_->setObjectName(QStringLiteral("LblIgnorees"));
    ignorees_->setWordWrap(true);

    auto* exporter = new QPushButton(QStringLiteral("&Exporter…"), this);
    exporter->setObjectName(QStringLiteral("CmdExporter"));
    auto* menu = new QMenu(exporter);
    menu->addAction(QStringLiteral("En CSV (tableur)…"), this, &FrmHistorique::exporterCsv)
        ->setObjectName(QStringLiteral("mnuExporterCsv"));
    menu->addAction(QStringLiteral("En liste PDF…"), this, &FrmHistorique::exporterPdf)
        ->setObjectName(QStringLiteral("mnuExporterPdf"));
    exporter->setMenu(menu);
    annuler_ = new QPushButton(QStringLiteral("&Annuler ce chèque…"), this);
    annuler_->setObjectName(QStringLiteral("CmdAnnulerCheque"));
    annuler_->setEnabled(false);
    connect(annuler_, &QPushButton::clicked, this, &FrmHistorique::annulerSelection);
    encaisser_ = new QPushButton(QStringLiteral("&Marquer encaissé"), this);
    encaisser_->setObjectName(QStringLiteral("CmdEncaisser"));
    encaisser_->setEnabled(false);
    connect(encaisser_, &QPushButton::clicked, this, &FrmHistorique::encaisserSelection);
    auto* rapprocher = new QPushButton(QStringLiteral("Ra&pprocher un relevé…"), this);
    rapprocher->setObjectName(QStringLiteral("CmdRapprocher"));
    rapprocher->setToolTip(QStringLiteral("Marquer encaissés les chèques d'un relevé bancaire "
                                          "(CSV ou CFONB)"));
    connect(rapprocher, &QPushButton::clicked, this, &FrmHistorique::rapprocherReleve);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("CmdFermer"));
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);

    auto* actions = new QHBoxLayout;
    actions->addWidget(enCours_);
    actions->addStretch();
    actions->addWidget(rapprocher);
    actions->addWidget(annuler_);
    actions->addWidget(encaisser_);

    auto* bas = new QHBoxLayout;
    bas->addWidget(total_);
    bas->addWidget(ignorees_);
    bas->addStretch();
    bas->addWidget(exporter);
    bas->addWidget(fermer);

    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(criteres);
    colonne->addWidget(table_, 1);
    colonne->addLayout(actions);
    colonne->addLayout(bas);

    connect(recherche_, &QLineEdit::textChanged, this, &FrmHistorique::filtrer);
    connect(statut_, &QComboBox::currentIndexChanged, this, &FrmHistorique::filtrer);
    connect(minimum_, &QLineEdit::textChanged, this, &FrmHistorique::filtrer);
    connect(maximum_, &QLineEdit::textChanged, this, &FrmHistorique::filtrer);
    connect(du_, &QDateEdit::dateChanged, this, &FrmHistorique::filtrer);
    connect(au_, &QDateEdit::dateChanged, this, &FrmHistorique::filtrer);
    for (auto [coche, date] : {std::pair{depuis_, du_}, std::pair{jusqua_, au_}})
        connect(coche, &QCheckBox::toggled, this, [this, date = date](bool actif) {
            date->setEnabled(actif);
            filtrer();
        });
    connect(table_, &QTableView::doubleClicked, this, &FrmHistorique::choisir);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmHistorique::selectionChangee);

    recharger();
}

void FrmHistorique::recharger() {
    const QDate aujourdhui = app_.plateforme.horloge.maintenant().date();
    Registre* registre = app_.registre.get();
    if (!registre) {
        modele_.remplacer({}, aujourdhui);
        ignorees_->setText(QStringLiteral("Le registre des chèques n'est pas accessible : ") +
                           app_.raisonRegistre);
        ignorees_->setToolTip({});
        enCours_->clear();
        filtrer();
        return;
    }
    QStringList problemes;
    if (const auto pris = registre->importerJournaux(); !pris)
        problemes << pris.raison();
    auto cheques = registre->cheques();
    if (!cheques)
        problemes << cheques.raison();
    modele_.remplacer(cheques ? *cheques : QVector<ChequeRegistre>(), aujourdhui);
    const auto [texte, detail] =
        DireJournauxEndommages(registre->journauxEndommages(), app_.chemins.journaux());
    if (!texte.isEmpty())
        problemes << texte;
    ignorees_->setText(problemes.join(u' '));
    ignorees_->setToolTip(detail);
    if (const auto reste = registre->enCours())
        enCours_->setText(QStringLiteral("Non encaissés : %1 chèque(s), %2 €")
                              .arg(reste->nombre)
                              .arg(MontantDeCentimes(reste->centimes)));
    else
        enCours_->setText(reste.raison());
    filtrer();
}

const ChequeRegistre* FrmHistorique::selection() const {
    const QModelIndexList lignes = table_->selectionModel()->selectedRows();
    if (lignes.size() != 1)
        return nullptr;
    return &modele_.cheque(filtre_.mapToSource(lignes.front()).row());
}

void FrmHistorique::selectionChangee() {
    const ChequeRegistre* c = selection();
    const bool emis = c && c->statut == Statut::Emis && app_.registre;
    annuler_->setEnabled(emis);
    encaisser_->setEnabled(emis);
}

void FrmHistorique::selectionner(std::int64_t id) {
    for (int i = 0; i < filtre_.rowCount(); ++i) {
        const QModelIndex index = filtre_.index(i, 0);
        if (modele_.cheque(filtre_.mapToSource(index).row()).id == id) {
            table_->selectRow(i);
            table_->scrollTo(index);
            return;
        }
    }
}

namespace {

QString Designation(const ChequeRegistre& c) {
    return (c.numero ? QStringLiteral("Le chèque ") + NumeroCheque(*c.numero)
                     : QStringLiteral("Le chèque")) +
           QStringLiteral(" de %1 € à l'ordre de %2")
               .arg(MontantDeCentimes(c.centimes), c.destinataire);
}

} // namespace

void FrmHistorique::annulerSelection() {
    const ChequeRegistre* c = selection();
    if (!c || !app_.registre)
        return;
    const std::int64_t id = c->id;
    Dialogues& dialogues = app_.plateforme.dialogues;
    const QString raison = dialogues.saisie(
        this,
        Designation(*c) + QStringLiteral(" sera annulé, et gardé au registre.\n\nRaison de "
                                         "l'annulation :"),
        QStringLiteral("Annuler ce chèque"), {});
    if (raison.trimmed().isEmpty())
        return; // cancelled
    if (const auto fait = app_.registre->annuler(id, raison); !fait)
        dialogues.message(this, fait.raison(), Icone::Critique);
    recharger();
    selectionner(id);
}

void FrmHistorique::encaisserSelection() {
    const ChequeRegistre* c = selection();
    if (!c || !app_.registre)
        return;
    const std::int64_t id = c->id;
    Dialogues& dialogues = app_.plateforme.dialogues;
    const QString texte = dialogues.saisie(
        this, Designation(*c) + QStringLiteral(" a été encaissé le (JJ/MM/AAAA) :"),
        QStringLiteral("Marquer encaissé"),
        app_.plateforme.horloge.maintenant().date().toString(QStringLiteral("dd/MM/yyyy")));
    if (texte.trimmed().isEmpty())
        return;
    const QDate date = QDate::fromString(texte.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid()) {
        dialogues.message(this,
                          QStringLiteral("« %1 » n'est pas une date de la forme JJ/MM/AAAA : "
                                         "rien n'est marqué.")
                              .arg(texte.trimmed()),
                          Icone::Exclamation);
        return;
    }
    if (const auto fait = app_.registre->encaisser(id, date); !fait)
        dialogues.message(this, fait.raison(), Icone::Critique);
    recharger();
    selectionner(id);
}

void FrmHistorique::filtrer() {
    FiltreRegistre f;
    f.statut = static_cast<FiltreStatut>(statut_->currentData().toInt());
    f.recherche = recherche_->text().trimmed();
    if (depuis_->isChecked())
        f.du = du_->date();
    if (jusqua_->isChecked())
        f.au = au_->date();
    f.minimum = Borne(minimum_);
    f.maximum = Borne(maximum_);
    filtre_.definir(f);
    total_->setText(QStringLiteral("%1 chèque(s) : %2 €")
                        .arg(filtre_.rowCount())
                        .arg(MontantDeCentimes(filtre_.totalCentimes())));
    selectionChangee();
}

void FrmHistorique::choisir(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const ChequeRegistre& c = modele_.cheque(filtre_.mapToSource(index).row());
    emit chequeChoisi(c.montant, c.destinataire);
}

QString FrmHistorique::demanderFichier(const QString& titre, const QString& extension,
                                       const QString& filtre) {
    const QString documents = DossierDocuments();
    const QString propose =
        documents + QStringLiteral("/Cheques_") +
        app_.plateforme.horloge.maintenant().date().toString(QStringLiteral("yyyy-MM-dd")) +
        extension;
    QString fichier = app_.plateforme.dialogues.enregistrerFichier(this, titre, propose, filtre);
    if (!fichier.isEmpty() && QFileInfo(fichier).suffix().isEmpty())
        fichier += extension;
    return fichier;
}

void FrmHistorique::exporterCsv() {
    const QString fichier =
        demanderFichier(QStringLiteral("Exporter les chèques en CSV"), QStringLiteral(".csv"),
                        QStringLiteral("Fichiers CSV|*.csv|Tous fichiers|*|"));
    if (fichier.isEmpty())
        return;
    // Every byte checked before the file takes its name: a short export on a
    // full disk must not pass for the list.
    if (const auto ecrit =
            EcrireFichierAtomique(fichier, CsvRegistre(filtre_.visibles(), modele_.aujourdhui()));
        !ecrit)
        app_.plateforme.dialogues.message(this, ecrit.raison(), Icone::Critique);
}

void FrmHistorique::exporterPdf() {
    const QString fichier =
        demanderFichier(QStringLiteral("Exporter la liste en PDF"), QStringLiteral(".pdf"),
                        QStringLiteral("Fichiers PDF|*.pdf|"));
    if (fichier.isEmpty())
        return;
    const QVector<ChequeRegistre> cheques = filtre_.visibles();
    QString html = QStringLiteral("<h3>Chèques imprimés</h3><table border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"3\" width=\"100%\"><tr><th>N°</th><th>Date"
                                  "</th><th>Montant</th><th>Destinataire</th><th>Émetteur</th>"
                                  "<th>État</th></tr>");
    for (int i = 0; i < filtre_.rowCount(); ++i) {
        const ChequeRegistre& c = cheques[i];
        auto cellule = [&](ModeleHistorique::Colonne colonne) {
            return Echapper(filtre_.index(i, colonne).data().toString());
        };
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td align=\"right\">%3</td><td>%4</td>"
                               "<td>%5</td><td>%6</td></tr>")
                    .arg(cellule(ModeleHistorique::Numero), cellule(ModeleHistorique::Date),
                         MontantDeCentimes(c.centimes), Echapper(c.destinataire),
                         Echapper(c.emetteur), cellule(ModeleHistorique::Etat));
    }
    html += QStringLiteral("</table><p><b>%1</b><br>%2</p>")
                .arg(Echapper(total_->text()), Echapper(enCours_->text()));

    // Drawn in memory, then written as the CSV is: the PDF writer reports no
    // write error, and a full disk would leave a short file.
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&tampon);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(QStringLiteral("Cheques imprimes"));
        QTextDocument document;
        document.setHtml(html);
        document.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
        document.print(&pdf);
    }
    if (const auto ecrit = EcrireFichierAtomique(fichier, tampon.data()); !ecrit)
        app_.plateforme.dialogues.message(this, ecrit.raison(), Icone::Critique);
}

namespace {

// What tells one bank's statements from another's when their header names no
// column: the separator and how many fields a movement has.
QString FormeReleve(const ApercuCsv& apercu) {
    qsizetype champs = 0;
    for (const QStringList& ligne : apercu.lignes)
        champs = std::max(champs, ligne.size());
    return QStringLiteral("%1%2").arg(apercu.separateur).arg(champs);
}

} // namespace

void FrmHistorique::rapprocherReleve() {
    Registre* registre = app_.registre.get();
    Dialogues& dialogues = app_.plateforme.dialogues;
    if (!registre) {
        dialogues.message(this,
                          QStringLiteral("Le registre des chèques n'est pas accessible : ") +
                              app_.raisonRegistre,
                          Icone::Critique);
        return;
    }
    const QString fichier = dialogues.ouvrirFichier(
        this, QStringLiteral("Rapprocher un relevé"), DossierDocuments(),
        QStringLiteral("Relevés bancaires|*.csv;*.txt;*.cfonb;*.dat|Tous fichiers|*|"));
    if (fichier.isEmpty())
        return;
    QFile f(fichier);
    QByteArray octets;
    if (f.open(QIODevice::ReadOnly) && f.size() <= kTailleMaxReleve)
        octets = f.read(kTailleMaxReleve + 1);
    if (!f.isOpen() || f.error() != QFileDevice::NoError || f.size() > kTailleMaxReleve) {
        dialogues.message(this,
                          f.size() > kTailleMaxReleve
                              ? QStringLiteral("« %1 » est trop grand pour un relevé bancaire.")
                                    .arg(QDir::toNativeSeparators(fichier))
                              : QStringLiteral("Le relevé « %1 » n'a pas pu être lu : %2")
                                    .arg(QDir::toNativeSeparators(fichier), f.errorString()),
                          Icone::Critique);
        return;
    }

    std::optional<ReleveLu> releve;
    QString refus;
    if (EstCfonb(octets)) {
        auto lu = LireReleveCfonb(octets);
        lu ? void(releve = *lu) : void(refus = lu.raison());
    } else if (auto apercu = ApercevoirCsv(octets); !apercu) {
        refus = apercu.raison();
    } else if (apercu->colonnes) {
        auto lu = LireReleveCsv(octets);
        lu ? void(releve = *lu) : void(refus = lu.raison());
    } else {
        // No header names the columns: those chosen for this bank's last
        // statement, when they read this one; else the user chooses.
        const QString forme = FormeReleve(*apercu);
        const auto retenues = registre->colonnesReleve(forme);
        const std::optional<ColonnesReleve> depart =
            retenues ? *retenues : std::optional<ColonnesReleve>();
        if (depart)
            if (auto lu = LireReleveCsv(octets, depart))
                releve = *lu;
        if (!releve) {
            FrmColonnesReleve choix(octets, *apercu, depart, this);
            if (choix.exec() != QDialog::Accepted || !choix.releve())
                return;
            releve = *choix.releve();
            if (const auto garde = registre->retenirColonnesReleve(forme, choix.colonnes());
                !garde)
                dialogues.message(this, garde.raison(), Icone::Exclamation);
        }
    }
    if (!releve) {
        dialogues.message(this,
                          QStringLiteral("Le relevé « %1 » est refusé : %2 Rien n'est marqué.")
                              .arg(QDir::toNativeSeparators(fichier), refus),
                          Icone::Critique);
        return;
    }

    const auto nonEncaisses = registre->nonEncaisses();
    if (!nonEncaisses) {
        dialogues.message(this, nonEncaisses.raison(), Icone::Critique);
        return;
    }
    const QVector<ChequeEnCours> cheques = ChequesARapprocher(*nonEncaisses);
    FrmRapprochement fenetre(Rapprocher(releve->lignes, cheques), cheques, this);
    if (fenetre.exec() != QDialog::Accepted)
        return;
    QVector<Encaissement> marques;
    for (const ChequeEncaisse& e : fenetre.aEncaisser())
        marques.append({e.id, e.encaissement});
    if (marques.isEmpty()) {
        dialogues.message(this, QStringLiteral("Aucun chèque n'est marqué encaissé."),
                          Icone::Information);
        return;
    }
    const auto fait = registre->marquerEncaisses(marques);
    recharger();
    if (!fait) {
        dialogues.message(this,
                          fait.raison().contains(QStringLiteral("Aucun n'est marqué"))
                              ? fait.raison()
                              : fait.raison() +
                                    QStringLiteral(" Aucun chèque n'est marqué encaissé."),
                          Icone::Critique);
        return;
    }
    dialogues.message(this,
                      QStringLiteral("%1 chèque(s) marqué(s) encaissé(s). %2")
                          .arg(marques.size())
                          .arg(enCours_->text()),
                      Icone::Information);
}
