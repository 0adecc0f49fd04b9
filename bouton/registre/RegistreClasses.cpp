#include "RegistreClasses.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace bouton::registre {

namespace {

Resultat echecLecture(const QString& chemin, const QString& raison) {
    return Resultat::erreur(code::RegistreIllisible,
                            QStringLiteral("Le registre des classes « %1 » est illisible : %2.")
                                .arg(QDir::toNativeSeparators(chemin), raison));
}

Resultat echecEcriture(const QString& chemin, const QString& raison) {
    return Resultat::erreur(
        code::RegistreNonEcrit,
        QStringLiteral("Impossible d'écrire le registre des classes « %1 » : %2.")
            .arg(QDir::toNativeSeparators(chemin), raison));
}

// The reason of a failed write, in French rather than in Qt's English.
QString raisonEcriture(int numero) {
    switch (numero) {
    case ENOSPC:
        return QStringLiteral("le disque est plein");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("le quota d'espace disque est atteint");
#endif
    case EFBIG:
        return QStringLiteral("le fichier dépasse la taille permise");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("le support est en lecture seule");
    default:
        return QStringLiteral("erreur système %1").arg(numero);
    }
}

bool viderSurDisque(QSaveFile& fichier) {
#ifdef Q_OS_UNIX
    return ::fsync(fichier.handle()) == 0;
#else
    Q_UNUSED(fichier);
    return true;
#endif
}

Resultat ecrire(const QString& chemin, const QList<Section>& sections) {
    const QString dossier = QFileInfo(chemin).absolutePath();
    if (!QDir().mkpath(dossier))
        return echecEcriture(chemin, QStringLiteral("le dossier ne peut pas être créé"));
    // Written beside and renamed over, so a crash never leaves half a registry.
    // Unbuffered, and flushed to disk before the rename: on a full disk a
    // buffered write fails only inside commit(), which then still renames the
    // short copy over the registry.
    QSaveFile fichier(chemin);
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return echecEcriture(chemin, raisonEcriture(errno));
    const QByteArray octets = formater(sections);
    if (fichier.write(octets) != octets.size() || !viderSurDisque(fichier)) {
        const int numero = errno;
        fichier.cancelWriting();
        return echecEcriture(chemin, raisonEcriture(numero));
    }
    if (!fichier.commit())
        return echecEcriture(chemin, raisonEcriture(errno));
    return Resultat::ok();
}

} // namespace

QString Section::valeur(const QString& cle) const {
    for (const auto& [c, v] : valeurs)
        if (c.compare(cle, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

QString cheminRegistre() {
#ifdef Q_OS_WIN
    // The user's roaming settings (%APPDATA%), never the system's registry: the
    // control is not a system-wide server.
    // Tests keep theirs in Qt's test folder.
    if (const QString appdata = qEnvironmentVariable("APPDATA");
        !appdata.isEmpty() && !QStandardPaths::isTestModeEnabled())
        return QDir::fromNativeSeparators(appdata) + QStringLiteral("/Scribane/registre-classes.ini");
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/registre-classes.ini");
}

QString sectionClasse(const QUuid& clsid) {
    return QStringLiteral("CLSID\\") + clsid.toString(QUuid::WithBraces).toUpper();
}

QString sectionProgId(const QString& progId) {
    return QStringLiteral("ProgID\\") + progId;
}

QString sectionBibliothequeTypes(const QUuid& libid) {
    return QStringLiteral("TypeLib\\") + libid.toString(QUuid::WithBraces).toUpper();
}

QByteArray formater(const QList<Section>& sections) {
    QString texte = QStringLiteral("; Registre des classes de contrôles\n");
    for (const Section& s : sections) {
        texte += QStringLiteral("\n[%1]\n").arg(s.nom);
        for (const auto& [cle, valeur] : s.valeurs)
            texte += cle + u'=' + valeur + u'\n';
    }
    return texte.toUtf8();
}

std::optional<QList<Section>> analyser(const QByteArray& octets, QString* raison) {
    QList<Section> sections;
    QStringDecoder decodeur(QStringDecoder::Utf8);
    const QString texte = decodeur(octets);
    if (decodeur.hasError()) {
        if (raison)
            *raison = QStringLiteral("texte non UTF-8");
        return std::nullopt;
    }
    const QStringList lignes = texte.split(u'\n');
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QString ligne = lignes[i].trimmed();
        if (ligne.isEmpty() || ligne.startsWith(u';') || ligne.startsWith(u'#'))
            continue;
        const auto egal = ligne.indexOf(u'=');
        // "[]" and "[ ]" both name the empty section, which is written "[]".
        if (ligne.startsWith(u'[') && ligne.endsWith(u']') && ligne.size() >= 2) {
            sections.append({ligne.mid(1, ligne.size() - 2).trimmed(), {}});
        } else if (egal > 0 && !sections.isEmpty()) {
            sections.last().valeurs.append({ligne.left(egal).trimmed(), ligne.mid(egal + 1)});
        } else {
            if (raison)
                *raison = QStringLiteral("ligne %1 incomprise").arg(i + 1);
            return std::nullopt;
        }
    }
    return sections;
}

std::optional<QList<Section>> lire(const QString& chemin, Resultat* erreur) {
    QFile fichier(chemin);
    if (!fichier.exists())
        return QList<Section>();
    if (!fichier.open(QIODevice::ReadOnly)) {
        if (erreur)
            *erreur = echecLecture(chemin, fichier.errorString());
        return std::nullopt;
    }
    QString raison;
    auto sections = analyser(fichier.readAll(), &raison);
    if (!sections && erreur)
        *erreur = echecLecture(chemin, raison);
    return sections;
}

Resultat ajouter(const QString& chemin, const QList<Section>& ajouts) {
    Resultat erreur;
    auto sections = lire(chemin, &erreur);
    // A damaged file may hold other programs' classes: refuse rather than overwrite it.
    if (!sections)
        return erreur;
    for (const Section& ajout : ajouts) {
        auto meme = std::find_if(sections->begin(), sections->end(), [&](const Section& s) {
            return s.nom.compare(ajout.nom, Qt::CaseInsensitive) == 0;
        });
        if (meme != sections->end())
            *meme = ajout;
        else
            sections->append(ajout);
    }
    return ecrire(chemin, *sections);
}

Resultat retirer(const QString& chemin, const QStringList& noms) {
    Resultat erreur;
    auto sections = lire(chemin, &erreur);
    if (!sections)
        return erreur;
    const auto avant = sections->size();
    sections->removeIf([&](const Section& s) { return noms.contains(s.nom, Qt::CaseInsensitive); });
    if (sections->size() == avant)
        return Resultat::ok(); // nothing of ours there: leave the file untouched
    return ecrire(chemin, *sections);
}

std::optional<ClasseEnregistree> trouverParProgId(const QString& chemin, const QString& progId,
                                                  Resultat* erreur) {
    auto sections = lire(chemin, erreur);
    if (!sections)
        return std::nullopt;
    auto section = [&](const QString& nom) -> const Section* {
        for (const Section& s : *sections)
            if (s.nom.compare(nom, Qt::CaseInsensitive) == 0)
                return &s;
        return nullptr;
    };
    auto nonEnregistree = [&] {
        if (erreur)
            *erreur = Resultat::erreur(
                code::ClasseNonEnregistree,
                QStringLiteral("La classe « %1 » n'est pas enregistrée.").arg(progId));
        return std::nullopt;
    };
    const Section* sp = section(sectionProgId(progId));
    if (!sp)
        return nonEnregistree();
    const QUuid clsid(sp->valeur(QStringLiteral("CLSID")));
    const Section* sc = clsid.isNull() ? nullptr : section(sectionClasse(clsid));
    if (!sc || sc->valeur(QStringLiteral("Bibliotheque")).isEmpty())
        return nonEnregistree();
    return ClasseEnregistree{clsid, sc->valeur(QStringLiteral("Bibliotheque"))};
}

} // namespace bouton::registre
