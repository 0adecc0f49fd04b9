#include "registre/Registre.h"

#include "cheque/HistoriqueJournal.h"
#include "cheque/TravailCheque.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <algorithm>

namespace {

const char* const kSqlStatut[] = {"impression", "émis", "gâché", "annulé", "encaissé"};

const char* SqlStatut(Statut s) {
    return kSqlStatut[int(s)];
}

Statut StatutSql(const QString& texte) {
    for (int i = 0; i < 5; ++i)
        if (texte == QString::fromUtf8(kSqlStatut[i]))
            return Statut(i);
    return Statut::Emis;
}

// "2024-03-05" and "2024-03-05T14:07:32" read by hand: the register is read
// whole at every opening of the history, and Qt's parsing by format is slow.
int Chiffres(const char* t, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return -1;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}
QDate JourSql(const char* t, int taille) {
    if (!t || taille < 10 || t[4] != '-' || t[7] != '-')
        return {};
    return QDate(Chiffres(t, 4), Chiffres(t + 5, 2), Chiffres(t + 8, 2));
}
QTime HeureSql(const char* t, int taille) {
    if (!t || taille < 19 || t[10] != 'T')
        return {};
    return QTime(Chiffres(t + 11, 2), Chiffres(t + 14, 2), Chiffres(t + 17, 2));
}

QString Moment(const QDateTime& t) {
    return t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}
QVariant Jour(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

// The first layout; every later one is a migration from it, so that a new
// register and one of an earlier version end the same.
const char* const kSchemaV1 = R"(
CREATE TABLE cheques (
    id INTEGER PRIMARY KEY,
    chequier TEXT,
    numero INTEGER,
    date_cheque TEXT,
    imprime_le TEXT NOT NULL,
    centimes INTEGER NOT NULL,
    montant TEXT NOT NULL,
    destinataire TEXT NOT NULL,
    lieu TEXT NOT NULL DEFAULT '',
    emetteur TEXT NOT NULL DEFAULT '',
    configuration INTEGER NOT NULL DEFAULT 0,
    sortie TEXT NOT NULL DEFAULT '',
    statut TEXT NOT NULL
        CHECK (statut IN ('impression', 'émis', 'gâché', 'annulé', 'encaissé')),
    encaisse_le TEXT,
    note TEXT NOT NULL DEFAULT '',
    reimpression INTEGER REFERENCES cheques(id),
    UNIQUE (chequier, numero)
);
CREATE INDEX cheques_moment ON cheques(imprime_le);
CREATE TABLE chequiers (
    nom TEXT PRIMARY KEY,
    numeroter INTEGER NOT NULL DEFAULT 0,
    prochain INTEGER NOT NULL DEFAULT 1 CHECK (prochain BETWEEN 1 AND 10000000)
);
CREATE TABLE choix (choix INTEGER PRIMARY KEY, chequier TEXT NOT NULL);
CREATE TABLE faits (cle TEXT PRIMARY KEY, valeur TEXT);
PRAGMA user_version = 1;
)";

const char* const kColonnes =
    "SELECT id, chequier, numero, date_cheque, imprime_le, centimes, montant, destinataire, "
    "lieu, emetteur, configuration, sortie, statut, encaisse_le, note, reimpression, recherche "
    "FROM cheques ";

QString RechercheDe(const QString& destinataire, const QString& emetteur, const QString& lieu) {
    return TexteDeRecherche(destinataire + u'\n' + emetteur + u'\n' + lieu);
}

struct Recupere {
    QVector<std::pair<int, QString>> choix;
    QVector<Chequier> chequiers;
};

// What can still be read of a damaged register: the chequebooks and the
// highest numbers used, so that the rebuilt one gives none of them again.
Recupere RecupererChequiers(const QString& chemin) {
    Recupere r;
    Base b;
    if (!b.ouvrir(chemin))
        return r;
    (void)b.executer("PRAGMA query_only = 1");
    {
        auto q = b.requete("SELECT choix, chequier FROM choix");
        while (q.suivante())
            r.choix.append({int(q.entier(0)), q.texte(1)});
    }
    {
        auto q = b.requete("SELECT nom, numeroter, prochain FROM chequiers");
        while (q.suivante())
            r.chequiers.append({q.texte(0), q.entier(1) != 0, q.entier(2)});
    }
    {
        auto q = b.requete("SELECT chequier, MAX(numero) FROM cheques WHERE numero IS NOT NULL "
                           "GROUP BY chequier");
        while (q.suivante()) {
            const QString nom = q.texte(0);
            const std::int64_t suivant = q.entier(1) + 1;
            auto it = std::find_if(r.chequiers.begin(), r.chequiers.end(),
                                   [&](const Chequier& c) { return c.nom == nom; });
            if (it == r.chequiers.end())
                r.chequiers.append({nom, true, suivant});
            else
                it->prochain = std::max(it->prochain, suivant);
        }
    }
    return r;
}

} // namespace

QString NomStatut(Statut statut) {
    switch (statut) {
    case Statut::EnImpression:
        return QStringLiteral("en impression");
    case Statut::Emis:
        return QStringLiteral("émis");
    case Statut::Gache:
        return QStringLiteral("gâché");
    case Statut::Annule:
        return QStringLiteral("annulé");
    case Statut::Encaisse:
        return QStringLiteral("encaissé");
    }
    return {};
}

bool EstPrescrit(const ChequeRegistre& c, const QDate& aujourdhui) {
    const QDate emis = c.dateCheque.isValid() ? c.dateCheque : c.imprimeJour;
    return c.statut == Statut::Emis && emis.isValid() && emis.addYears(1).addDays(8) < aujourdhui;
}

std::optional<FiltreStatut> FiltreStatutDuNom(QStringView nom) {
    const QString n = TexteDeRecherche(nom.toString());
    const std::pair<const char*, FiltreStatut> noms[] = {
        {"tous", FiltreStatut::Tous},         {"emis", FiltreStatut::Emis},
        {"gache", FiltreStatut::Gache},       {"annule", FiltreStatut::Annule},
        {"encaisse", FiltreStatut::Encaisse}, {"en-cours", FiltreStatut::EnCours},
    };
    for (const auto& [texte, statut] : noms)
        if (n == QLatin1String(texte))
            return statut;
    return std::nullopt;
}

bool FiltreRegistre::accepte(const ChequeRegistre& c) const {
    switch (statut) {
    case FiltreStatut::Tous:
        break;
    case FiltreStatut::Emis:
        if (c.statut != Statut::Emis && c.statut != Statut::Encaisse)
            return false;
        break;
    case FiltreStatut::Gache:
        if (c.statut != Statut::Gache)
            return false;
        break;
    case FiltreStatut::Annule:
        if (c.statut != Statut::Annule)
            return false;
        break;
    case FiltreStatut::Encaisse:
        if (c.statut != Statut::Encaisse)
            return false;
        break;
    case FiltreStatut::EnCours:
        if (c.statut != Statut::Emis)
            return false;
        break;
    }
    const QDate jour = c.dateCheque.isValid() ? c.dateCheque : c.imprimeJour;
    if ((du && jour < *du) || (au && jour > *au))
        return false;
    if ((minimum && c.centimes < *minimum) || (maximum && c.centimes > *maximum))
        return false;
    if (!recherche.isEmpty()) {
        if (source_ != recherche) {
            source_ = recherche;
            cherche_ = TexteDeRecherche(recherche.trimmed());
            chiffres_ = !cherche_.isEmpty() &&
                        std::all_of(cherche_.cbegin(), cherche_.cend(),
                                    [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
        }
        // A number is searched among the digits of the cheque's number only
        // when only digits are typed.
        if (!c.recherche.contains(cherche_) &&
            !(chiffres_ && c.numero &&
              QStringLiteral("%1").arg(*c.numero, 7, 10, QLatin1Char('0')).contains(cherche_)))
            return false;
    }
    return true;
}

QString StatutAffiche(const ChequeRegistre& c, const QDate& aujourdhui) {
    return EstPrescrit(c, aujourdhui) ? NomStatut(c.statut) + QStringLiteral(" (prescrit)")
                                      : NomStatut(c.statut);
}

QByteArray CsvRegistre(const QVector<ChequeRegistre>& cheques, const QDate& aujourdhui) {
    QString texte = QStringLiteral("Numéro;Date;Montant;Destinataire;Lieu;Emetteur;Statut;"
                                   "Encaissé le;Imprimé le;Note\r\n");
    for (const ChequeRegistre& c : cheques) {
        QString montant = MontantDeCentimes(c.centimes);
        montant.remove(u' ');
        texte +=
            (c.numero ? QStringLiteral("%1").arg(*c.numero, 7, 10, QLatin1Char('0')) : QString()) +
            u';' + c.dateCheque.toString(QStringLiteral("dd/MM/yyyy")) + u';' + montant + u';' +
            ChampCsv(c.destinataire) + u';' + ChampCsv(c.lieu) + u';' + ChampCsv(c.emetteur) +
            u';' + StatutAffiche(c, aujourdhui) + u';' +
            c.encaisseLe.toString(QStringLiteral("dd/MM/yyyy")) + u';' +
            c.imprimeLe().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + u';' +
            ChampCsv(c.note) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}

QString ChequierParDefaut(int choix) {
    return QStringLiteral("Chéquier %1").arg(choix);
}

QString CheminRegistre(const CheminsScribane& chemins) {
    return chemins.dossier + QStringLiteral("/Registre.sqlite");
}

QStringList OuvertureRegistre::messages() const {
    QStringList m;
    if (!endommage.isEmpty())
        m << QStringLiteral("Le registre des chèques était endommagé. Il a été mis de côté sous "
                            "le nom « %1 » et refait à partir des journaux : les numéros et les "
                            "états des chèques d'avant n'y sont plus. Vérifiez le prochain "
                            "numéro de chaque chéquier dans Configuration et Options.")
                 .arg(QDir::toNativeSeparators(endommage));
    if (importes > 0)
        m << (importes == 1
                  ? QStringLiteral("1 chèque des journaux a été repris dans le registre.")
                  : QStringLiteral("%1 chèques des journaux ont été repris dans le registre.")
                        .arg(importes));
    if (interrompus > 0)
        m << QStringLiteral("%1 impression(s) interrompue(s) : le registre les garde comme "
                            "émises, avec une note. Vérifiez ces chèques dans l'historique.")
                 .arg(interrompus);
    return m;
}

Registre::~Registre() = default;

Echec Registre::echec(const QString& quoi, const QString& raison) const {
    return {QStringLiteral("%1 : %2.").arg(quoi, raison)};
}

Resultat<std::unique_ptr<Registre>> Registre::ouvrir(const CheminsScribane& chemins,
                                                     OuvertureRegistre* rapport, bool reprendre) {
    OuvertureRegistre local;
    OuvertureRegistre& r = rapport ? *rapport : local;
    const QString chemin = CheminRegistre(chemins);
    std::unique_ptr<Registre> registre(new Registre(chemins));
    r.cree = !QFileInfo::exists(chemin);
    // Another program opening it at the same moment can hold it a little
    // while the journal mode is set, where SQLite does not wait by itself.
    Resultat<> pret;
    for (int essai = 0; essai < 50; ++essai) {
        pret = registre->base_.ouvrir(chemin);
        if (pret)
            pret = registre->preparer(r, reprendre);
        if (pret || pret.raison() != registre->base_.raison(5 /* SQLITE_BUSY */))
            break;
        registre->base_.fermer();
        QThread::msleep(100);
    }
    if (pret)
        return registre;
    if (pret.raison() != QStringLiteral("endommage"))
        return Echec{QStringLiteral("Le registre des chèques %1 ne peut pas être ouvert : %2.")
                         .arg(QDir::toNativeSeparators(chemin), pret.raison())};

    // Damaged: set aside under a name of its own with what goes with it, then
    // rebuilt from the journals.
    registre->base_.fermer();
    const QString suffixe =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aCote = chemins.dossier + QStringLiteral("/Registre.endommage-%1.sqlite").arg(suffixe);
    for (int i = 2; QFileInfo::exists(aCote); ++i)
        aCote = chemins.dossier +
                QStringLiteral("/Registre.endommage-%1-%2.sqlite").arg(suffixe).arg(i);
    if (!QFile::rename(chemin, aCote))
        return Echec{QStringLiteral("Le registre des chèques %1 est endommagé et ne peut pas être "
                                    "mis de côté pour être refait.")
                         .arg(QDir::toNativeSeparators(chemin))};
    for (const char* annexe : {"-wal", "-shm"})
        if (QFileInfo::exists(chemin + QLatin1String(annexe)))
            (void)QFile::rename(chemin + QLatin1String(annexe), aCote + QLatin1String(annexe));
    r.endommage = aCote;
    const Recupere recupere = RecupererChequiers(aCote);

    OuvertureRegistre refait;
    auto ouvert = registre->base_.ouvrir(chemin);
    if (ouvert)
        ouvert = registre->preparer(refait, false);
    if (!ouvert)
        return Echec{QStringLiteral("Le registre des chèques %1 était endommagé (mis de côté sous "
                                    "le nom « %2 ») et ne peut pas être refait : %3.")
                         .arg(QDir::toNativeSeparators(chemin), QDir::toNativeSeparators(aCote),
                              ouvert.raison())};
    r.importes = refait.importes;
    {
        Transaction t(registre->base_);
        for (const auto& [choix, nom] : recupere.choix)
            (void)registre->base_.requete("INSERT OR REPLACE INTO choix VALUES (?, ?)")
                .lier(1, choix)
                .lier(2, nom)
                .executer();
        for (const Chequier& c : recupere.chequiers)
            (void)registre->base_.requete("INSERT OR REPLACE INTO chequiers VALUES (?, ?, ?)")
                .lier(1, c.nom)
                .lier(2, c.numeroter ? 1 : 0)
                .lier(3, std::clamp<std::int64_t>(c.prochain, 1, 10000000))
                .executer();
        (void)t.valider();
    }
    return registre;
}

Resultat<> Registre::preparer(OuvertureRegistre& rapport, bool reprendre) {
    // The first read tells a file that is no database.
    auto version = base_.entier("PRAGMA user_version");
    if (!version) {
        if (version.raison() == base_.raison(11))
            return Echec{QStringLiteral("endommage")};
        return Echec{version.raison()};
    }
    {
        auto q = base_.requete("PRAGMA integrity_check");
        const bool lu = q.suivante();
        if (q.echouee()) {
            if (q.erreur() == base_.raison(11))
                return Echec{QStringLiteral("endommage")};
            return Echec{q.erreur()};
        }
        if (!lu || q.texte(0) != QStringLiteral("ok"))
            return Echec{QStringLiteral("endommage")};
    }
    if (auto wal = base_.executer("PRAGMA journal_mode = WAL"); !wal)
        return wal;
    if (auto s = base_.executer("PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON"); !s)
        return s;

    const int depuis = int(version->value_or(0));
    if (depuis > kVersionRegistre)
        return Echec{QStringLiteral("il a été écrit par une version plus récente de Scribane")};
    if (depuis < kVersionRegistre)
        if (auto m = migrer(depuis); !m)
            return m;

    // The journals, all of them the first time, then those that changed:
    // what the print job noted itself is not taken twice.
    auto importes = importerJournaux();
    if (!importes)
        return Echec{importes.raison()};
    rapport.importes = *importes;
    if (reprendre) {
        Transaction t(base_);
        if (!t.commencee())
            return t.commencee();
        auto q = base_.requete("UPDATE cheques SET statut = 'émis', note = ? "
                               "WHERE statut = 'impression'");
        q.lier(1, QStringLiteral("Impression interrompue : vérifiez que ce chèque est sorti."));
        if (auto f = q.executer(); !f)
            return f;
        rapport.interrompus = base_.modifiees();
        if (auto v = t.valider(); !v)
            return v;
    }
    return {};
}

Resultat<> Registre::migrer(int depuis) {
    Transaction t(base_);
    if (!t.commencee())
        return t.commencee();
    // Read again under the write lock: another program opening the register
    // at the same moment may have brought it up meanwhile.
    const auto version = base_.entier("PRAGMA user_version");
    if (!version)
        return Echec{version.raison()};
    depuis = int(version->value_or(0));
    if (depuis >= kVersionRegistre)
        return t.valider();
    if (depuis < 1)
        if (auto f = base_.executer(kSchemaV1); !f)
            return f;
    if (depuis < 2) {
        // Version 2: the folded text the searches run on, and the index of
        // the outstanding cheques.
        if (auto f = base_.executer("ALTER TABLE cheques ADD COLUMN recherche TEXT NOT NULL "
                                    "DEFAULT '';"
                                    "CREATE INDEX cheques_statut ON cheques(statut);");
            !f)
            return f;
        QVector<std::pair<std::int64_t, QString>> textes;
        {
            auto q = base_.requete("SELECT id, destinataire, emetteur, lieu FROM cheques");
            while (q.suivante())
                textes.append({q.entier(0), RechercheDe(q.texte(1), q.texte(2), q.texte(3))});
            if (q.echouee())
                return Echec{q.erreur()};
        }
        auto maj = base_.requete("UPDATE cheques SET recherche = ? WHERE id = ?");
        for (const auto& [id, texte] : textes) {
            maj.recommencer();
            if (auto f = maj.lier(1, texte).lier(2, QVariant::fromValue<qlonglong>(id)).executer();
                !f)
                return f;
        }
        if (auto f = base_.executer("PRAGMA user_version = 2"); !f)
            return f;
    }
    return t.valider();
}

Resultat<Chequier> Registre::chequierDuChoix(int choix) {
    Chequier c{ChequierParDefaut(choix), false, 1};
    {
        auto q = base_.requete("SELECT chequier FROM choix WHERE choix = ?");
        q.lier(1, choix);
        if (q.suivante())
            c.nom = q.texte(0);
        if (q.echouee())
            return Echec{q.erreur()};
    }
    auto q = base_.requete("SELECT numeroter, prochain FROM chequiers WHERE nom = ?");
    q.lier(1, c.nom);
    if (q.suivante()) {
        c.numeroter = q.entier(0) != 0;
        c.prochain = q.entier(1);
    }
    if (q.echouee())
        return Echec{q.erreur()};
    return c;
}

Resultat<> Registre::reglerChequier(int choix, const Chequier& c) {
    const QString nom = c.nom.trimmed();
    if (nom.isEmpty())
        return Echec{QStringLiteral("Donnez un nom au chéquier.")};
    if (c.prochain < 1 || c.prochain > 9999999)
        return Echec{QStringLiteral("Le prochain numéro doit avoir au plus 7 chiffres, de "
                                    "0000001 à 9999999.")};
    Transaction t(base_);
    if (!t.commencee())
        return echec(QStringLiteral("Le chéquier n'a pas pu être enregistré"),
                     t.commencee().raison());
    auto pris = base_.entier("SELECT 1 FROM cheques WHERE chequier = ? AND numero = ?",
                             {nom, QVariant::fromValue<qlonglong>(c.prochain)});
    if (!pris)
        return echec(QStringLiteral("Le chéquier n'a pas pu être enregistré"), pris.raison());
    if (*pris)
        return Echec{QStringLiteral("Le chèque %1 du chéquier « %2 » a déjà servi : un numéro ne "
                                    "sert qu'une fois.")
                         .arg(NumeroCheque(c.prochain), nom)};
    if (auto f = base_.requete("INSERT OR REPLACE INTO choix VALUES (?, ?)")
                     .lier(1, choix)
                     .lier(2, nom)
                     .executer();
        !f)
        return echec(QStringLiteral("Le chéquier n'a pas pu être enregistré"), f.raison());
    auto q = base_.requete("INSERT INTO chequiers (nom, numeroter, prochain) VALUES (?, ?, ?) "
                           "ON CONFLICT(nom) DO UPDATE SET numeroter = excluded.numeroter, "
                           "prochain = excluded.prochain");
    if (auto f = q.lier(1, nom)
                     .lier(2, c.numeroter ? 1 : 0)
                     .lier(3, QVariant::fromValue<qlonglong>(c.prochain))
                     .executer();
        !f)
        return echec(QStringLiteral("Le chéquier n'a pas pu être enregistré"), f.raison());
    if (auto v = t.valider(); !v)
        return echec(QStringLiteral("Le chéquier n'a pas pu être enregistré"), v.raison());
    return {};
}

Resultat<QVector<ChequeInscrit>> Registre::noter(int choix, const QVector<ChequeAInscrire>& cheques,
                                                 std::optional<std::int64_t> premier,
                                                 const QVector<std::int64_t>& reimpressionsDe) {
    const QString quoi = QStringLiteral("le registre des chèques ne peut pas les noter");
    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    const auto chequier = chequierDuChoix(choix);
    if (!chequier)
        return echec(quoi, chequier.raison());
    const bool numeroter = premier || chequier->numeroter;
    std::int64_t numero = premier.value_or(chequier->prochain);
    QVector<ChequeInscrit> inscrits;
    auto ajout = base_.requete(
        "INSERT INTO cheques (chequier, numero, date_cheque, imprime_le, centimes, montant, "
        "destinataire, lieu, emetteur, configuration, sortie, statut, recherche) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'impression', ?)");
    const QString maintenant = Moment(QDateTime::currentDateTime());
    for (const ChequeAInscrire& c : cheques) {
        ChequeInscrit inscrit;
        if (numeroter) {
            if (numero < 1 || numero > 9999999)
                return Echec{QStringLiteral("Le chéquier « %1 » n'a plus de numéro à 7 chiffres "
                                            "après le %2 : réglez son prochain numéro.")
                                 .arg(chequier->nom, NumeroCheque(numero - 1))};
            auto pris = base_.entier("SELECT 1 FROM cheques WHERE chequier = ? AND numero = ?",
                                     {chequier->nom, QVariant::fromValue<qlonglong>(numero)});
            if (!pris)
                return echec(quoi, pris.raison());
            if (*pris)
                return Echec{QStringLiteral("Le chèque %1 du chéquier « %2 » a déjà servi : un "
                                            "numéro ne sert qu'une fois.")
                                 .arg(NumeroCheque(numero), chequier->nom)};
            inscrit.numero = numero++;
        }
        ajout.recommencer();
        ajout.lier(1, numeroter ? QVariant(chequier->nom) : QVariant())
            .lier(2, inscrit.numero ? QVariant::fromValue<qlonglong>(*inscrit.numero) : QVariant())
            .lier(3, Jour(c.dateCheque))
            .lier(4, maintenant)
            .lier(5, QVariant::fromValue<qlonglong>(c.centimes))
            .lier(6, c.montant)
            .lier(7, c.destinataire)
            .lier(8, c.lieu)
            .lier(9, c.emetteur)
            .lier(10, choix)
            .lier(11, c.sortie)
            .lier(12, RechercheDe(c.destinataire, c.emetteur, c.lieu));
        if (auto f = ajout.executer(); !f)
            return echec(quoi, f.raison());
        inscrit.id = base_.dernierId();
        inscrits.append(inscrit);
    }
    if (numeroter) {
        auto q = base_.requete("INSERT INTO chequiers (nom, numeroter, prochain) VALUES (?, ?, ?) "
                               "ON CONFLICT(nom) DO UPDATE SET prochain = "
                               "MAX(prochain, excluded.prochain)");
        if (auto f = q.lier(1, chequier->nom)
                         .lier(2, chequier->numeroter ? 1 : 0)
                         .lier(3, QVariant::fromValue<qlonglong>(
                                      std::min<std::int64_t>(numero, 10000000)))
                         .executer();
            !f)
            return echec(quoi, f.raison());
        auto lien = base_.requete("INSERT OR IGNORE INTO choix VALUES (?, ?)");
        if (auto f = lien.lier(1, choix).lier(2, chequier->nom).executer(); !f)
            return echec(quoi, f.raison());
    }
    if (reimpressionsDe.size() > inscrits.size())
        return Echec{QStringLiteral("Il y a plus de chèques à réimprimer que de chèques "
                                    "imprimés.")};
    auto lien =
        base_.requete("UPDATE cheques SET reimpression = ? WHERE id = ? AND statut = 'gâché' "
                      "AND reimpression IS NULL");
    for (qsizetype i = 0; i < reimpressionsDe.size(); ++i) {
        lien.recommencer();
        if (auto f = lien.lier(1, QVariant::fromValue<qlonglong>(inscrits[i].id))
                         .lier(2, QVariant::fromValue<qlonglong>(reimpressionsDe[i]))
                         .executer();
            !f)
            return echec(quoi, f.raison());
        if (base_.modifiees() != 1)
            return Echec{QStringLiteral("Le chèque à réimprimer n'est pas un chèque gâché du "
                                        "registre.")};
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return inscrits;
}

Resultat<> Registre::confirmer(const QVector<ChequeInscrit>& cheques, const QDateTime& imprimeLe) {
    const QString quoi = QStringLiteral("le registre des chèques ne peut pas noter qu'ils sont "
                                        "imprimés");
    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    auto q = base_.requete("UPDATE cheques SET statut = 'émis', imprime_le = ?, note = '' "
                           "WHERE id = ? AND statut IN ('impression', 'émis')");
    for (const ChequeInscrit& c : cheques) {
        q.recommencer();
        if (auto f = q.lier(1, Moment(imprimeLe))
                         .lier(2, QVariant::fromValue<qlonglong>(c.id))
                         .executer();
            !f)
            return echec(quoi, f.raison());
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return {};
}

Resultat<> Registre::abandonner(const QVector<ChequeInscrit>& cheques) {
    if (cheques.isEmpty())
        return {};
    const QString quoi = QStringLiteral("le registre des chèques ne peut pas rendre leurs numéros");
    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    QString chequier;
    {
        auto q = base_.requete("SELECT chequier FROM cheques WHERE id = ?");
        q.lier(1, QVariant::fromValue<qlonglong>(cheques.front().id));
        if (q.suivante())
            chequier = q.texte(0);
    }
    auto lien = base_.requete("UPDATE cheques SET reimpression = NULL WHERE reimpression = ?");
    auto q = base_.requete("DELETE FROM cheques WHERE id = ? AND statut = 'impression'");
    for (const ChequeInscrit& c : cheques) {
        lien.recommencer();
        q.recommencer();
        if (auto f = lien.lier(1, QVariant::fromValue<qlonglong>(c.id)).executer(); !f)
            return echec(quoi, f.raison());
        if (auto f = q.lier(1, QVariant::fromValue<qlonglong>(c.id)).executer(); !f)
            return echec(quoi, f.raison());
    }
    // Nothing came out: the numbers go back to the chequebook, unless another
    // print has taken later ones meanwhile.
    if (cheques.front().numero && !chequier.isEmpty()) {
        auto n = base_.requete("UPDATE chequiers SET prochain = ? WHERE nom = ? AND prochain = ?");
        if (auto f = n.lier(1, QVariant::fromValue<qlonglong>(*cheques.front().numero))
                         .lier(2, chequier)
                         .lier(3, QVariant::fromValue<qlonglong>(*cheques.back().numero + 1))
                         .executer();
            !f)
            return echec(quoi, f.raison());
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return {};
}

Resultat<> Registre::changerStatut(const QVector<std::int64_t>& ids, Statut statut,
                                   const QString& note, const QDate& encaisse) {
    const QString quoi = QStringLiteral("Le registre des chèques n'a pas pu être modifié");
    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    auto q = base_.requete("UPDATE cheques SET statut = ?, note = ?, encaisse_le = ? WHERE id = ?");
    for (const std::int64_t id : ids) {
        const auto actuel = cheque(id);
        if (!actuel)
            return echec(quoi, actuel.raison());
        if (!*actuel)
            return Echec{QStringLiteral("Ce chèque n'est pas dans le registre.")};
        const ChequeRegistre& c = **actuel;
        if (c.statut != Statut::Emis)
            return Echec{
                (c.numero && ids.size() > 1
                     ? QStringLiteral("Le chèque %1 est %2 : seul un chèque émis peut être %3.")
                                .arg(NumeroCheque(*c.numero))
                     : QStringLiteral("Ce chèque est %1 : seul un chèque émis peut être %2."))
                    .arg(NomStatut(c.statut), NomStatut(statut))};
        q.recommencer();
        if (auto f = q.lier(1, QString::fromUtf8(SqlStatut(statut)))
                         .lier(2, note.trimmed())
                         .lier(3, Jour(encaisse))
                         .lier(4, QVariant::fromValue<qlonglong>(id))
                         .executer();
            !f)
            return echec(quoi, f.raison());
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return {};
}

Resultat<> Registre::gacher(std::int64_t id, const QString& raison) {
    return changerStatut({id}, Statut::Gache, raison);
}

Resultat<> Registre::gacher(const QVector<std::int64_t>& ids, const QString& raison) {
    return changerStatut(ids, Statut::Gache, raison);
}

Resultat<> Registre::annuler(std::int64_t id, const QString& raison) {
    if (raison.trimmed().isEmpty())
        return Echec{QStringLiteral("Donnez la raison de l'annulation.")};
    return changerStatut({id}, Statut::Annule, raison);
}

Resultat<> Registre::encaisser(std::int64_t id, const QDate& date) {
    if (!date.isValid())
        return Echec{QStringLiteral("Donnez la date d'encaissement.")};
    auto c = cheque(id);
    return changerStatut({id}, Statut::Encaisse, c && *c ? (*c)->note : QString(), date);
}

Resultat<> Registre::marquerEncaisses(const QVector<Encaissement>& encaissements) {
    const QString quoi = QStringLiteral("Les chèques encaissés n'ont pas pu être notés");
    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    auto q = base_.requete("UPDATE cheques SET statut = 'encaissé', encaisse_le = ? "
                           "WHERE id = ? AND statut = 'émis'");
    for (const Encaissement& e : encaissements) {
        if (!e.date.isValid())
            return Echec{quoi + QStringLiteral(" : une date d'encaissement manque.")};
        q.recommencer();
        if (auto f =
                q.lier(1, Jour(e.date)).lier(2, QVariant::fromValue<qlonglong>(e.id)).executer();
            !f)
            return echec(quoi, f.raison());
        if (base_.modifiees() != 1)
            return Echec{quoi + QStringLiteral(" : un des chèques n'est plus en attente "
                                               "d'encaissement. Aucun n'est marqué.")};
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return {};
}

Resultat<QVector<ChequeRegistre>> Registre::lire(const char* fin, std::int64_t valeur,
                                                 const QString& texte) {
    const QByteArray sql = QByteArray(kColonnes) + fin;
    auto q = base_.requete(sql.constData());
    if (!texte.isNull()) {
        q.lier(1, texte);
        q.lier(2, QVariant::fromValue<qlonglong>(valeur));
    } else if (valeur != 0) {
        q.lier(1, QVariant::fromValue<qlonglong>(valeur));
    }
    QVector<ChequeRegistre> liste;
    if (texte.isNull() && valeur == 0)
        if (const auto n = base_.entier("SELECT COUNT(*) FROM cheques"); n && *n)
            liste.reserve(qsizetype(**n));
    // The chequebook, the place, the issuer and the printer change seldom from
    // one cheque to the next: the same text is shared rather than made again.
    struct Precedent {
        QByteArray octets;
        QString texte;
    };
    Precedent precedents[17];
    const auto partage = [&](int colonne) {
        Precedent& p = precedents[colonne];
        const QByteArrayView octets(q.brut(colonne), q.taille(colonne));
        if (octets != QByteArrayView(p.octets)) {
            p.octets = octets.toByteArray();
            p.texte = QString::fromUtf8(octets);
        }
        return p.texte;
    };
    while (q.suivante()) {
        ChequeRegistre c;
        c.id = q.entier(0);
        c.chequier = partage(1);
        c.numero = q.entierOuRien(2);
        c.dateCheque = JourSql(q.brut(3), q.taille(3));
        c.imprimeJour = JourSql(q.brut(4), q.taille(4));
        c.imprimeHeure = HeureSql(q.brut(4), q.taille(4));
        c.centimes = q.entier(5);
        c.montant = q.texte(6);
        c.destinataire = q.texte(7);
        c.lieu = partage(8);
        c.emetteur = partage(9);
        c.configuration = int(q.entier(10));
        c.sortie = partage(11);
        c.statut = StatutSql(q.texte(12));
        c.encaisseLe = JourSql(q.brut(13), q.taille(13));
        c.note = partage(14);
        c.reimpression = q.entierOuRien(15);
        c.recherche = q.texte(16);
        liste.append(std::move(c));
    }
    if (q.echouee())
        return Echec{
            QStringLiteral("Le registre des chèques ne peut pas être lu : %1.").arg(q.erreur())};
    return liste;
}

Resultat<QVector<ChequeRegistre>> Registre::cheques() {
    return lire("ORDER BY imprime_le, id");
}

Resultat<std::optional<ChequeRegistre>> Registre::cheque(std::int64_t id) {
    auto l = lire("WHERE id = ?", id);
    if (!l)
        return Echec{l.raison()};
    return l->isEmpty() ? std::nullopt : std::optional<ChequeRegistre>(l->front());
}

Resultat<std::optional<ChequeRegistre>> Registre::chequeNumero(const QString& chequier,
                                                               std::int64_t numero) {
    auto l = lire("WHERE chequier = ? AND numero = ?", numero, chequier);
    if (!l)
        return Echec{l.raison()};
    return l->isEmpty() ? std::nullopt : std::optional<ChequeRegistre>(l->front());
}

Resultat<QVector<ChequeNonEncaisse>> Registre::nonEncaisses() {
    auto q = base_.requete("SELECT id, numero, centimes, date_cheque, destinataire FROM cheques "
                           "WHERE statut = 'émis' ORDER BY id");
    QVector<ChequeNonEncaisse> liste;
    while (q.suivante())
        liste.append({q.entier(0), q.entierOuRien(1), q.entier(2),
                      QDate::fromString(q.texte(3), Qt::ISODate), q.texte(4)});
    if (q.echouee())
        return Echec{
            QStringLiteral("Le registre des chèques ne peut pas être lu : %1.").arg(q.erreur())};
    return liste;
}

QVector<ChequeEnCours> ChequesARapprocher(const QVector<ChequeNonEncaisse>& cheques) {
    QVector<ChequeEnCours> liste;
    liste.reserve(cheques.size());
    for (const ChequeNonEncaisse& c : cheques) {
        ChequeEnCours e;
        e.id = c.id;
        if (c.numero && *c.numero >= 0 && *c.numero <= 9'999'999)
            e.numero = static_cast<std::uint32_t>(*c.numero);
        e.centimes = c.centimes;
        e.date = c.dateCheque;
        e.destinataire = c.destinataire;
        liste.append(e);
    }
    return liste;
}

Resultat<std::optional<ColonnesReleve>> Registre::colonnesReleve(const QString& forme) {
    auto q = base_.requete("SELECT valeur FROM faits WHERE cle = ?");
    q.lier(1, QStringLiteral("releve:") + forme);
    std::optional<ColonnesReleve> colonnes;
    if (q.suivante())
        colonnes = ColonnesReleve::depuisTexte(q.texte(0));
    if (q.echouee())
        return Echec{
            QStringLiteral("Le registre des chèques ne peut pas être lu : %1.").arg(q.erreur())};
    return colonnes;
}

Resultat<> Registre::retenirColonnesReleve(const QString& forme, const ColonnesReleve& colonnes) {
    auto q = base_.requete("INSERT OR REPLACE INTO faits VALUES (?, ?)");
    q.lier(1, QStringLiteral("releve:") + forme).lier(2, colonnes.enTexte());
    if (auto fait = q.executer(); !fait)
        return Echec{QStringLiteral("Les colonnes du relevé n'ont pas pu être retenues : %1")
                         .arg(fait.raison())};
    return {};
}

Resultat<EnCours> Registre::enCours() {
    auto q = base_.requete("SELECT COUNT(*), TOTAL(centimes) FROM cheques WHERE statut = 'émis'");
    EnCours e;
    if (q.suivante()) {
        e.nombre = int(q.entier(0));
        e.centimes = q.entier(1);
    }
    if (q.echouee())
        return Echec{
            QStringLiteral("Le registre des chèques ne peut pas être lu : %1.").arg(q.erreur())};
    return e;
}

Resultat<int> Registre::importerJournaux() {
    const QString quoi = QStringLiteral("les journaux ne peuvent pas être repris dans le registre");
    const QDir dossier(chemins_.journaux());
    // What each journal held when it was last taken in: only a journal that
    // changed since is read again.
    QHash<QString, QString> connus;
    {
        auto q = base_.requete("SELECT cle, valeur FROM faits WHERE cle LIKE 'journal:%'");
        while (q.suivante())
            connus.insert(q.texte(0).mid(8), q.texte(1));
        if (q.echouee())
            return echec(quoi, q.erreur());
    }
    struct Lu {
        QString fichier;
        QString etat;
        LectureJournaux lecture;
    };
    QVector<Lu> lus;
    const QFileInfoList fichiers =
        dossier.entryInfoList({QStringLiteral("Journal_*.txt")}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : fichiers) {
        const auto jour = DateDuJournal(info.fileName());
        if (!jour)
            continue;
        const QString avant = connus.value(info.fileName());
        if (avant.section(u';', 0, 0) == QString::number(info.size()))
            continue;
        Lu lu{info.fileName(), {}, {}};
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly)) {
            lu.etat = QStringLiteral("-1;illisible");
        } else {
            const QByteArray contenu = f.readAll();
            // A line still being appended is left for the next time.
            LireJournal(contenu, *jour, info.fileName(), lu.lecture,
                        FinDuJournal::EnCoursDEcriture);
            lu.etat = QStringLiteral("%1;%2").arg(contenu.size()).arg(lu.lecture.lignesIgnorees);
        }
        lus.append(std::move(lu));
    }
    if (lus.isEmpty())
        return 0;

    Transaction t(base_);
    if (!t.commencee())
        return echec(quoi, t.commencee().raison());
    // A cheque of the journal is one of the register when both have its
    // moment, amount and payee; the same cheque twice in a batch counts twice.
    // The payee and the issuer are compared as the journal line joins them: a
    // payee holding ". Emetteur : " reads back split elsewhere.
    auto compte = base_.requete(
        "SELECT COUNT(*) FROM cheques WHERE imprime_le = ? AND centimes = ? AND "
        "destinataire || CASE WHEN emetteur = '' THEN '' ELSE '. Emetteur : ' || emetteur END "
        "= ?");
    auto ajout = base_.requete(
        "INSERT INTO cheques (date_cheque, imprime_le, centimes, montant, destinataire, emetteur, "
        "statut, recherche) VALUES (?, ?, ?, ?, ?, ?, 'émis', ?)");
    auto etat = base_.requete("INSERT OR REPLACE INTO faits VALUES (?, ?)");
    int importes = 0;
    for (const Lu& lu : lus) {
        QHash<QString, std::pair<std::int64_t, std::int64_t>>
            vus; // in the journal, in the register
        for (const ChequeJournal& c : lu.lecture.cheques) {
            const QString moment = Moment(QDateTime(c.date, c.heure));
            const QString apres =
                c.emetteur.isEmpty()
                    ? c.destinataire
                    : c.destinataire + QStringLiteral(". Emetteur : ") + c.emetteur;
            const QString cle = moment + u'\n' + QString::number(c.centimes) + u'\n' + apres;
            auto it = vus.find(cle);
            if (it == vus.end()) {
                compte.recommencer();
                compte.lier(1, moment).lier(2, c.centimes).lier(3, apres);
                std::int64_t n = 0;
                if (compte.suivante())
                    n = compte.entier(0);
                if (compte.echouee())
                    return echec(quoi, compte.erreur());
                it = vus.insert(cle, {0, n});
            }
            if (++it->first <= it->second)
                continue;
            ajout.recommencer();
            ajout.lier(1, Jour(c.date))
                .lier(2, moment)
                .lier(3, c.centimes)
                .lier(4, c.montant)
                .lier(5, c.destinataire)
                .lier(6, c.emetteur)
                .lier(7, RechercheDe(c.destinataire, c.emetteur, QString()));
            if (auto f = ajout.executer(); !f)
                return echec(quoi, f.raison());
            ++importes;
        }
        etat.recommencer();
        if (auto f =
                etat.lier(1, QStringLiteral("journal:") + lu.fichier).lier(2, lu.etat).executer();
            !f)
            return echec(quoi, f.raison());
    }
    if (auto v = t.valider(); !v)
        return echec(quoi, v.raison());
    return importes;
}

LectureJournaux Registre::journauxEndommages() {
    LectureJournaux l;
    auto q = base_.requete("SELECT cle, valeur FROM faits WHERE cle LIKE 'journal:%' ORDER BY cle");
    while (q.suivante()) {
        const QString fichier = q.texte(0).mid(8);
        const QString valeur = q.texte(1);
        JournalEndommage e{fichier, DateDuJournal(fichier).value_or(QDate()), 0,
                           valeur.startsWith(QStringLiteral("-1;"))};
        if (!e.illisible)
            e.lignesIgnorees = valeur.section(u';', 1, 1).toInt();
        if (e.illisible || e.lignesIgnorees > 0) {
            l.lignesIgnorees += e.lignesIgnorees;
            l.fichiersIllisibles += e.illisible ? 1 : 0;
            l.endommages.append(e);
        }
    }
    return l;
}
