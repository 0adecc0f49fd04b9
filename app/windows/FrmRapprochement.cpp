#include "windows/FrmRapprochement.h"

#include "cheque/HistoriqueJournal.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Euros(std::int64_t centimes) {
    return MontantDeCentimes(centimes) + QStringLiteral(" €");
}

QString Jour(QDate date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QStringList Colonnes(const LigneReleve& l) {
    return {QString::number(l.ligne), Jour(l.date), l.libelle, Euros(l.centimes)};
}

QTreeWidget* Liste(const char* nom, QStringList entetes) {
    auto* liste = new QTreeWidget;
    liste->setObjectName(QLatin1String(nom));
    entetes.prepend(QStringLiteral("Libellé"));
    entetes.prepend(QStringLiteral("Date"));
    entetes.prepend(QStringLiteral("Ligne"));
    entetes.insert(3, QStringLiteral("Montant"));
    liste->setHeaderLabels(entetes);
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    liste->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    liste->header()->setStretchLastSection(true);
    return liste;
}

} // namespace

FrmRapprochement::FrmRapprochement(const Rapprochement& resultat,
                                   const QVector<ChequeEnCours>& cheques, QWidget* parent)
    : QDialog(parent), resultat_(resultat), cheques_(cheques), choisis_(resultat.aDecider.size()) {
    setObjectName(QStringLiteral("FrmRapprochement"));
    setWindowTitle(QStringLiteral("Rapprochement du relevé"));
    parId_.reserve(cheques_.size());
    for (qsizetype i = 0; i < cheques_.size(); ++i)
        parId_.insert(cheques_[i].id, i);

    auto* resume = new QLabel(
        QStringLiteral("%1 chèque(s) rapproché(s), %2 ligne(s) à décider, %3 ligne(s) non "
                       "rapprochée(s).")
            .arg(resultat_.rapproches.size())
            .arg(resultat_.aDecider.size())
            .arg(resultat_.nonRapproches.size()));
    resume->setObjectName(QStringLiteral("LblResume"));

    auto* rapproches = Liste("LstRapproches", {QStringLiteral("Chèque encaissé")});
    for (const ChequeEncaisse& e : resultat_.rapproches)
        new QTreeWidgetItem(rapproches, Colonnes(e.ligne) << decrire(e.id));

    aDecider_ = Liste("LstADecider", {QStringLiteral("Doute"), QStringLiteral("Décision")});
    for (const LigneADecider& d : resultat_.aDecider)
        new QTreeWidgetItem(aDecider_, Colonnes(d.ligne) << DireDoute(d.doute) << QString());

    auto* nonRapproches = Liste("LstNonRapproches", {QStringLiteral("Pourquoi")});
    for (const LigneReleve& l : resultat_.nonRapproches)
        new QTreeWidgetItem(nonRapproches,
                            Colonnes(l) << (l.centimes > 0    ? QStringLiteral("crédit")
                                            : l.centimes == 0 ? QStringLiteral("montant nul")
                                                              : QStringLiteral("aucun chèque de "
                                                                               "ce montant")));

    // Under the lines to decide, the cheque the selected one may be.
    doute_ = new QLabel;
    doute_->setObjectName(QStringLiteral("LblDoute"));
    doute_->setWordWrap(true);
    candidats_ = new QComboBox;
    candidats_->setObjectName(QStringLiteral("CboCandidat"));
    candidats_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* etiquette = new QLabel(QStringLiteral("C&hèque :"));
    etiquette->setBuddy(candidats_);
    confirmer_ = new QPushButton(QStringLiteral("&Confirmer"));
    confirmer_->setObjectName(QStringLiteral("CmdConfirmer"));
    ecarter_ = new QPushButton(QStringLiteral("Éc&arter"));
    ecarter_->setObjectName(QStringLiteral("CmdEcarter"));
    for (QPushButton* b : {confirmer_, ecarter_})
        b->setAutoDefault(false);
    auto* choix = new QHBoxLayout;
    choix->addWidget(etiquette);
    choix->addWidget(candidats_, 1);
    choix->addWidget(confirmer_);
    choix->addWidget(ecarter_);
    auto* pageDecider = new QWidget;
    auto* disposition = new QVBoxLayout(pageDecider);
    disposition->addWidget(aDecider_, 1);
    disposition->addWidget(doute_);
    disposition->addLayout(choix);

    onglets_ = new QTabWidget;
    onglets_->setObjectName(QStringLiteral("Onglets"));
    onglets_->addTab(rapproches,
                     QStringLiteral("&Rapprochés (%1)").arg(resultat_.rapproches.size()));
    onglets_->addTab(pageDecider, QStringLiteral("À &décider (%1)").arg(resultat_.aDecider.size()));
    onglets_->addTab(nonRapproches,
                     QStringLiteral("&Non rapprochés (%1)").arg(resultat_.nonRapproches.size()));
    onglets_->setCurrentIndex(resultat_.aDecider.isEmpty() ? 0 : 1);

    restant_ = new QLabel;
    restant_->setObjectName(QStringLiteral("LblRestant"));

    // No default button (a button box would make one): Enter in a list must
    // not mark a whole statement cashed.
    auto* marquer = new QPushButton(QStringLiteral("&Marquer encaissés"));
    marquer->setObjectName(QStringLiteral("CmdMarquer"));
    auto* annuler = new QPushButton(QStringLiteral("Annuler"));
    annuler->setObjectName(QStringLiteral("CmdAnnuler"));
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    for (QPushButton* b : {marquer, annuler}) {
        b->setAutoDefault(false);
        boutons->addWidget(b);
    }
    connect(marquer, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(resume);
    principal->addWidget(onglets_, 1);
    principal->addWidget(restant_);
    principal->addLayout(boutons);

    connect(aDecider_, &QTreeWidget::currentItemChanged, this, &FrmRapprochement::choisirLigne);
    connect(confirmer_, &QPushButton::clicked, this, &FrmRapprochement::confirmer);
    connect(ecarter_, &QPushButton::clicked, this, &FrmRapprochement::ecarter);
    if (aDecider_->topLevelItemCount() > 0)
        aDecider_->setCurrentItem(aDecider_->topLevelItem(0));
    choisirLigne();
    afficherRestant();
    resize(820, 480);
}

QString FrmRapprochement::decrire(std::int64_t id) const {
    const auto i = parId_.find(id);
    if (i == parId_.end())
        return QStringLiteral("chèque inconnu");
    const ChequeEnCours& c = cheques_[*i];
    const QString numero = c.numero
                               ? QStringLiteral("n° %1").arg(*c.numero, 7, 10, QLatin1Char('0'))
                               : QStringLiteral("sans numéro");
    return QStringLiteral("%1 – %2 – %3 – %4")
        .arg(numero, Euros(c.centimes), c.destinataire, Jour(c.date));
}

void FrmRapprochement::choisirLigne() {
    const int rang = aDecider_->indexOfTopLevelItem(aDecider_->currentItem());
    candidats_->clear();
    if (rang < 0) {
        doute_->setText(resultat_.aDecider.isEmpty() ? QStringLiteral("Aucune ligne à décider.")
                                                     : QString());
        for (QWidget* w : {static_cast<QWidget*>(candidats_), static_cast<QWidget*>(confirmer_),
                           static_cast<QWidget*>(ecarter_)})
            w->setEnabled(false);
        return;
    }
    const LigneADecider& d = resultat_.aDecider[rang];
    // A cheque confirmed for another line is not offered again.
    QSet<std::int64_t> pris;
    for (qsizetype k = 0; k < choisis_.size(); ++k)
        if (k != rang && choisis_[k])
            pris.insert(*choisis_[k]);
    for (const std::int64_t id : d.candidats)
        if (!pris.contains(id))
            candidats_->addItem(decrire(id), QVariant::fromValue<qlonglong>(id));
    QString texte = QStringLiteral("Ligne %1 : %2.").arg(d.ligne.ligne).arg(DireDoute(d.doute));
    if (d.candidatsEnTout > d.candidats.size())
        texte += QStringLiteral(" Les %1 chèques les plus proches de la date sur %2.")
                     .arg(d.candidats.size())
                     .arg(d.candidatsEnTout);
    if (candidats_->count() == 0)
        texte += QStringLiteral(" Aucun chèque à encaisser ne lui correspond.");
    doute_->setText(texte);
    if (choisis_[rang]) {
        const int i = candidats_->findData(QVariant::fromValue<qlonglong>(*choisis_[rang]));
        candidats_->setCurrentIndex(i);
    }
    candidats_->setEnabled(candidats_->count() > 0 && !choisis_[rang]);
    confirmer_->setEnabled(candidats_->count() > 0 && !choisis_[rang]);
    ecarter_->setEnabled(choisis_[rang].has_value());
}

void FrmRapprochement::confirmer() {
    const int rang = aDecider_->indexOfTopLevelItem(aDecider_->currentItem());
    if (rang < 0 || candidats_->currentIndex() < 0 || choisis_[rang])
        return;
    choisis_[rang] = candidats_->currentData().toLongLong();
    afficherLigne(rang);
    afficherRestant();
    // On to the next line still undecided, so the keyboard can go down the list.
    for (int k = 1; k <= aDecider_->topLevelItemCount(); ++k) {
        const int suivante = (rang + k) % aDecider_->topLevelItemCount();
        if (!choisis_[suivante]) {
            aDecider_->setCurrentItem(aDecider_->topLevelItem(suivante));
            break;
        }
    }
    choisirLigne();
    aDecider_->setFocus();
}

void FrmRapprochement::ecarter() {
    const int rang = aDecider_->indexOfTopLevelItem(aDecider_->currentItem());
    if (rang < 0 || !choisis_[rang])
        return;
    choisis_[rang].reset();
    afficherLigne(rang);
    afficherRestant();
    choisirLigne();
}

void FrmRapprochement::afficherLigne(int rang) {
    aDecider_->topLevelItem(rang)->setText(
        5, choisis_[rang] ? QStringLiteral("encaisse le chèque ") + decrire(*choisis_[rang])
                          : QString());
}

QVector<ChequeEncaisse> FrmRapprochement::decisions() const {
    QVector<ChequeEncaisse> d;
    for (qsizetype k = 0; k < choisis_.size(); ++k)
        if (choisis_[k])
            d.append({resultat_.aDecider[k].ligne, *choisis_[k], resultat_.aDecider[k].ligne.date});
    return d;
}

QVector<ChequeEncaisse> FrmRapprochement::aEncaisser() const {
    return resultat_.rapproches + decisions();
}

qsizetype FrmRapprochement::restants() const {
    return resultat_.restants - decisions().size();
}

std::int64_t FrmRapprochement::restantCentimes() const {
    std::int64_t total = resultat_.restantCentimes;
    for (const ChequeEncaisse& e : decisions())
        if (const auto i = parId_.find(e.id); i != parId_.end())
            total -= cheques_[*i].centimes;
    return total;
}

void FrmRapprochement::afficherRestant() {
    restant_->setText(QStringLiteral("Restent à encaisser : %1 chèque(s) pour %2.")
                          .arg(restants())
                          .arg(Euros(restantCentimes())));
}

// ---- The columns chosen by hand --------------------------------------------

FrmColonnesReleve::FrmColonnesReleve(const QByteArray& octets, const ApercuCsv& apercu,
                                     const std::optional<ColonnesReleve>& depart, QWidget* parent)
    : QDialog(parent), octets_(octets) {
    setObjectName(QStringLiteral("FrmColonnesReleve"));
    setWindowTitle(QStringLiteral("Colonnes du relevé"));

    int colonnes = 0;
    for (const QStringList& l : apercu.lignes)
        colonnes = std::max(colonnes, int(l.size()));
    auto* table = new QTableWidget(int(apercu.lignes.size()), colonnes);
    table->setObjectName(QStringLiteral("TblApercu"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList entetes, lignes;
    for (int c = 0; c < colonnes; ++c)
        entetes << QStringLiteral("Colonne %1").arg(c + 1);
    table->setHorizontalHeaderLabels(entetes);
    for (qsizetype r = 0; r < apercu.lignes.size(); ++r) {
        lignes << QString::number(apercu.numeros.value(r));
        for (qsizetype c = 0; c < apercu.lignes[r].size(); ++c)
            table->setItem(int(r), int(c), new QTableWidgetItem(apercu.lignes[r][c]));
    }
    table->setVerticalHeaderLabels(lignes);

    auto boite = [&](const char* nom, int valeur) {
        auto* b = new QComboBox;
        b->setObjectName(QLatin1String(nom));
        b->addItem(QStringLiteral("(aucune)"), -1);
        for (int c = 0; c < colonnes; ++c) {
            // The column named by its first line, as the user sees it above.
            const QString premier =
                apercu.lignes.isEmpty() ? QString() : apercu.lignes.front().value(c);
            b->addItem(premier.isEmpty()
                           ? entetes[c]
                           : QStringLiteral("%1 : %2").arg(entetes[c], premier.left(30)),
                       c);
        }
        b->setCurrentIndex(std::max(0, b->findData(valeur)));
        return b;
    };
    const ColonnesReleve d = depart.value_or(ColonnesReleve{});
    date_ = boite("CboDate", d.date);
    libelle_ = boite("CboLibelle", d.libelle);
    debit_ = boite("CboDebit", d.debit);
    credit_ = boite("CboCredit", d.credit);
    montant_ = boite("CboMontant", d.montant);

    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("&Date :"), date_);
    formulaire->addRow(QStringLiteral("&Libellé :"), libelle_);
    formulaire->addRow(QStringLiteral("Dé&bit :"), debit_);
    formulaire->addRow(QStringLiteral("C&rédit :"), credit_);
    formulaire->addRow(QStringLiteral("Montant &signé :"), montant_);

    auto* aide = new QLabel(QStringLiteral(
        "L'en-tête du relevé ne nomme pas ses colonnes. Choisissez la date, le libellé et, soit "
        "le débit et le crédit, soit un montant signé (débit négatif)."));
    aide->setWordWrap(true);
    refus_ = new QLabel;
    refus_->setObjectName(QStringLiteral("LblRefus"));
    refus_->setWordWrap(true);

    auto* boutons = new QDialogButtonBox;
    auto* lire =
        boutons->addButton(QStringLiteral("L&ire le relevé"), QDialogButtonBox::AcceptRole);
    lire->setObjectName(QStringLiteral("CmdLire"));
    lire->setDefault(true);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CmdAnnuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &FrmColonnesReleve::lire);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(aide);
    principal->addWidget(table, 1);
    principal->addLayout(formulaire);
    principal->addWidget(refus_);
    principal->addWidget(boutons);
    date_->setFocus();
    resize(720, 460);
}

ColonnesReleve FrmColonnesReleve::colonnes() const {
    ColonnesReleve c;
    c.date = date_->currentData().toInt();
    c.libelle = libelle_->currentData().toInt();
    c.debit = debit_->currentData().toInt();
    c.credit = credit_->currentData().toInt();
    c.montant = montant_->currentData().toInt();
    return c;
}

void FrmColonnesReleve::lire() {
    const auto releve = LireReleveCsv(octets_, colonnes());
    if (!releve) {
        refus_->setText(QStringLiteral("Le relevé ne se lit pas ainsi : %1").arg(releve.raison()));
        return;
    }
    releve_ = *releve;
    accept();
}
