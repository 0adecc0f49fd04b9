#include "windows/EchelleEcran.h"

#include "settings/EcritureAtomique.h"
#include "settings/VerrouDossier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QScreen>
#include <QSettings>
#include <QThread>

#include <cmath>

namespace {

constexpr double kPppParDefaut = 96.0;
constexpr char kSection[] = "[Ecrans]";

// Where the user's own settings for Scribane lie (~/.config/Scribane/Ecran.ini,
// or the Windows profile's): a correction belongs to the screen, not to a
// cheque folder. The file is read and written here rather than by QSettings,
// whose writer can rename a short file over a good one on a full disk and
// keeps a value it failed to write as if it were saved.
QString CheminFichier() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Scribane"),
                     QStringLiteral("Ecran"))
        .fileName();
}

// The corrections kept, by screen. A line that is not "name=value" in the
// screens' section is skipped: a damaged file costs only its damaged lines.
QMap<QString, QString> LireCorrections(const QString& chemin) {
    QMap<QString, QString> corrections;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return corrections;
    bool dansSection = false;
    for (const QByteArray& brute : f.read(1 << 20).split('\n')) {
        const QByteArray ligne = brute.trimmed();
        if (ligne.startsWith('[')) {
            dansSection = ligne == kSection;
            continue;
        }
        const qsizetype egal = ligne.indexOf('=');
        if (dansSection && egal > 0)
            corrections.insert(QString::fromUtf8(ligne.left(egal)).trimmed(),
                               QString::fromUtf8(ligne.mid(egal + 1)).trimmed());
    }
    return corrections;
}

bool Utilisable(double facteur) {
    return std::isfinite(facteur) && facteur >= kCorrectionMin && facteur <= kCorrectionMax;
}

} // namespace

QString IdentiteEcran(const QScreen* ecran) {
    QString nom;
    if (ecran) {
        const QStringList parties{ecran->manufacturer(), ecran->model(), ecran->serialNumber()};
        nom = parties.join(u' ').simplified();
        if (nom.isEmpty())
            nom = ecran->name();
    }
    // Only plain characters: a key must not open a group or a line of its own.
    QString cle;
    for (QChar c : nom.left(100))
        cle += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' ? c : u'_';
    return cle.isEmpty() ? QStringLiteral("ecran") : cle;
}

double PixelsParMmAnnonces(const QScreen* ecran) {
    const double ppp = ecran ? ecran->physicalDotsPerInchX() : 0.0;
    return (std::isfinite(ppp) && ppp >= 20 && ppp <= 2000 ? ppp : kPppParDefaut) / 25.4;
}

double CorrectionEcran(const QScreen* ecran) {
    bool ok = false;
    const double facteur =
        LireCorrections(CheminFichier()).value(IdentiteEcran(ecran)).toDouble(&ok);
    return ok && Utilisable(facteur) ? facteur : 1.0;
}

double PixelsParMmReels(const QScreen* ecran) {
    return PixelsParMmAnnonces(ecran) * CorrectionEcran(ecran);
}

Resultat<> EnregistrerCorrectionEcran(const QScreen* ecran, double facteur) {
    if (!Utilisable(facteur))
        return Echec{QStringLiteral("Une correction de %1 n'est pas vraisemblable.")
                         .arg(QLocale(QLocale::French).toString(facteur, 'g', 4))};
    const QString chemin = CheminFichier();
    const QString dossier = QFileInfo(chemin).absolutePath();
    if (!QDir().mkpath(dossier))
        return Echec{QStringLiteral("Le dossier %1 n'a pas pu être créé.")
                         .arg(QDir::toNativeSeparators(dossier))};
    // Two instances calibrating at once: one reads and rewrites after the other,
    // so neither drops the screen the other just kept. The system's lock, held
    // only for the rewrite, so a short wait is enough.
    const QString cheminVerrou = chemin + QStringLiteral(".lock");
    VerrouDossier::Etat etat = VerrouDossier::Etat::TenuAilleurs;
    int numero = 0;
    std::unique_ptr<VerrouDossier> verrou;
    for (int essai = 0; essai < 50 && !verrou && etat == VerrouDossier::Etat::TenuAilleurs;
         ++essai) {
        if (essai > 0)
            QThread::msleep(40);
        verrou = VerrouDossier::Prendre(cheminVerrou, etat, numero);
    }
    if (!verrou)
        return Echec{etat == VerrouDossier::Etat::TenuAilleurs
                         ? QStringLiteral("Le fichier %1 est occupé par une autre instance de "
                                          "Scribane.")
                               .arg(QDir::toNativeSeparators(chemin))
                         : QStringLiteral("Le verrou %1 n'a pas pu être pris : %2.")
                               .arg(QDir::toNativeSeparators(cheminVerrou), RaisonSysteme(numero))};
    SupprimerCopiesDeTravail(dossier, {QFileInfo(chemin).fileName()});

    QMap<QString, QString> corrections = LireCorrections(chemin);
    // Exactly 1 is no correction: forget it rather than keep it.
    if (std::abs(facteur - 1.0) < 1e-9)
        corrections.remove(IdentiteEcran(ecran));
    else
        corrections.insert(IdentiteEcran(ecran),
                           QString::number(facteur, 'g', QLocale::FloatingPointShortest));
    QByteArray octets = QByteArray(kSection) + '\n';
    for (auto it = corrections.cbegin(); it != corrections.cend(); ++it)
        octets += it.key().toUtf8() + '=' + it.value().toUtf8() + '\n';
    return EcrireFichierAtomique(chemin, octets);
}
