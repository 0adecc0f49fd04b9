#include "cheque/HistoriqueJournal.h"

#include "settings/Cp1252.h"
#include "words/MontantTexte.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#endif
#ifdef Q_OS_WIN
#include "settings/FichierWindows.h"
#endif

namespace {

const QString kMilieu = QStringLiteral(" Euros à l'ordre de ");
const QString kEmetteur = QStringLiteral(". Emetteur : ");

std::optional<std::int64_t> Centimes(const QString& montant) {
    return CentimesDuMontant(montant);
}

// Payee and issuer. The issuer is written in capitals after ". Emetteur : ";
// a payee that contains those words itself is told apart by what follows
// them: an issuer is never in small letters.
void SeparerEmetteur(const QString& reste, ChequeJournal& c) {
    const qsizetype i = reste.lastIndexOf(kEmetteur);
    if (i >= 0) {
        const QString emetteur = reste.mid(i + kEmetteur.size());
        if (!emetteur.isEmpty() && emetteur == emetteur.toUpper()) {
            c.destinataire = reste.left(i);
            c.emetteur = emetteur;
            return;
        }
    }
    c.destinataire = reste;
}

} // namespace

std::optional<std::int64_t> CentimesDuMontant(QStringView montant) {
    const auto lu = LireMontantExact(montant);
    if (!lu || lu->negatif || lu->decimales > 2 || lu->chiffres > 15)
        return std::nullopt;
    std::int64_t c = static_cast<std::int64_t>(lu->mantisse);
    for (int d = lu->decimales; d < 2; ++d)
        c *= 10;
    return c;
}

std::optional<QDate> DateDuJournal(const QString& nomFichier) {
    static const QRegularExpression nom(
        QStringLiteral("^Journal_(\\d{4})_(\\d{2})_(\\d{2})\\.txt$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = nom.match(nomFichier);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate jour(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return jour.isValid() ? std::optional<QDate>(jour) : std::nullopt;
}

void LireJournal(const QByteArray& contenu, const QDate& jour, const QString& fichier,
                 LectureJournaux& lecture, FinDuJournal finDuJournal) {
    const int ignoreesAvant = lecture.lignesIgnorees;
    qsizetype debut = 0;
    int numero = 0;
    while (debut < contenu.size()) {
        qsizetype fin = contenu.indexOf('\n', debut);
        if (fin < 0) {
            if (finDuJournal == FinDuJournal::EnCoursDEcriture)
                break;
            fin = contenu.size();
        }
        ++numero;
        QByteArray octets = contenu.mid(debut, fin - debut);
        debut = fin + 1;
        if (octets.endsWith('\r'))
            octets.chop(1);
        if (octets.trimmed().isEmpty() || octets.startsWith("RELEVE des CHEQUES IMPRIMES le "))
            continue;
        const QString ligne = DecoderCp1252(octets);
        const qsizetype milieu = ligne.indexOf(kMilieu);
        const QTime heure = QTime::fromString(ligne.left(8), QStringLiteral("HH:mm:ss"));
        const auto centimes =
            milieu > 11 ? Centimes(ligne.mid(11, milieu - 11)) : std::optional<std::int64_t>();
        if (!heure.isValid() || ligne.mid(8, 3) != QLatin1String(" - ") || !centimes) {
            ++lecture.lignesIgnorees;
            continue;
        }
        ChequeJournal c;
        c.date = jour;
        c.heure = heure;
        c.centimes = *centimes;
        c.montant = ligne.mid(11, milieu - 11);
        SeparerEmetteur(ligne.mid(milieu + kMilieu.size()), c);
        c.fichier = fichier;
        c.ligne = numero;
        c.recherche = TexteDeRecherche(c.destinataire + u'\n' + c.emetteur);
        lecture.cheques.append(std::move(c));
    }
    if (lecture.lignesIgnorees > ignoreesAvant)
        lecture.endommages.append({fichier, jour, lecture.lignesIgnorees - ignoreesAvant});
}

namespace {

// The file's bytes, and what its end may be. A shared lock: no append can run
// while it is held; an append running now makes it wait for nothing.
std::optional<QByteArray> LireSousVerrou(QFile& f, FinDuJournal& fin) {
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
#ifdef Q_OS_UNIX
    int pris;
    while ((pris = ::flock(f.handle(), LOCK_SH | LOCK_NB)) != 0 && errno == EINTR) {
    }
    fin = pris == 0 ? FinDuJournal::Ecrite : FinDuJournal::EnCoursDEcriture;
#elif defined(Q_OS_WIN)
    // Qt keeps its own handle to itself: the lock is taken through a second one,
    // held until the bytes are read.
    const PoigneeWindows verrou = OuvrirWindows(f.fileName(), GENERIC_READ, OPEN_EXISTING);
    fin = verrou && VerrouillerWindows(verrou.get(), false, false) ? FinDuJournal::Ecrite
                                                                    : FinDuJournal::EnCoursDEcriture;
#else
    fin = FinDuJournal::EnCoursDEcriture; // no lock to tell
#endif
    QByteArray contenu = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return contenu; // the lock goes with the close
}

} // namespace

LectureJournaux LireJournaux(const QString& dossier) {
    LectureJournaux lecture;
    const QStringList noms =
        QDir(dossier).entryList({QStringLiteral("Journal_*.txt")}, QDir::Files, QDir::Name);
    for (const QString& nom : noms) {
        const auto jour = DateDuJournal(nom);
        if (!jour)
            continue;
        QFile f(dossier + QLatin1Char('/') + nom);
        FinDuJournal fin = FinDuJournal::Ecrite;
        const auto contenu = LireSousVerrou(f, fin);
        if (!contenu) {
            ++lecture.fichiersIllisibles;
            lecture.endommages.append({nom, *jour, 0, true});
            continue;
        }
        LireJournal(*contenu, *jour, nom, lecture, fin);
    }
    std::stable_sort(lecture.cheques.begin(), lecture.cheques.end(),
                     [](const ChequeJournal& a, const ChequeJournal& b) {
                         return std::tie(a.date, a.heure) < std::tie(b.date, b.heure);
                     });
    return lecture;
}

QString TexteDeRecherche(const QString& texte) {
    QString plie;
    plie.reserve(texte.size());
    for (const QChar c : texte.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plie.append(c.toCaseFolded());
    return plie;
}

bool FiltreJournal::couvre(const QDate& jour) const {
    return !(du && jour < *du) && !(au && jour > *au);
}

bool FiltreJournal::accepte(const ChequeJournal& c) const {
    if (!couvre(c.date))
        return false;
    if ((minimum && c.centimes < *minimum) || (maximum && c.centimes > *maximum))
        return false;
    if (recherche.isEmpty())
        return true;
    const QString cherche = TexteDeRecherche(recherche);
    if (!c.recherche.isEmpty())
        return c.recherche.contains(cherche);
    return TexteDeRecherche(c.destinataire).contains(cherche) ||
           TexteDeRecherche(c.emetteur).contains(cherche);
}

QString MontantDeCentimes(std::int64_t centimes) {
    const bool negatif = centimes < 0;
    const std::uint64_t a =
        negatif ? 0 - static_cast<std::uint64_t>(centimes) : static_cast<std::uint64_t>(centimes);
    const QString unites = QString::number(a / 100);
    QString groupes;
    for (qsizetype i = 0; i < unites.size(); ++i) {
        if (i > 0 && (unites.size() - i) % 3 == 0)
            groupes.append(u' ');
        groupes.append(unites[i]);
    }
    return (negatif ? QStringLiteral("-") : QString()) + groupes + u',' +
           QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}

// A text cell that a spreadsheet would take for a formula gets an apostrophe
// first: "=HYPERLINK(...)" and "=cmd|..." stay what was printed.
QString ChampCsv(QString champ) {
    static const QString kDebutsDeFormule = QStringLiteral("=+-@\t\r");
    if (!champ.isEmpty() && kDebutsDeFormule.contains(champ.front()))
        champ.prepend(u'\'');
    if (!champ.contains(u';') && !champ.contains(u'"') && !champ.contains(u'\n') &&
        !champ.contains(u'\r'))
        return champ;
    QString echappe = champ;
    echappe.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + echappe + u'"';
}

QByteArray CsvJournal(const QVector<ChequeJournal>& cheques) {
    QString texte = QStringLiteral("Date;Heure;Montant;Destinataire;Emetteur\r\n");
    for (const ChequeJournal& c : cheques) {
        // The amount without groups, so that a spreadsheet takes it as a number.
        QString montant = MontantDeCentimes(c.centimes);
        montant.remove(u' ');
        texte += c.date.toString(QStringLiteral("dd/MM/yyyy")) + u';' +
                 c.heure.toString(QStringLiteral("HH:mm:ss")) + u';' + montant + u';' +
                 ChampCsv(c.destinataire) + u';' + ChampCsv(c.emetteur) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}
