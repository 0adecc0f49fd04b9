#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "settings/FichierWindows.h"
#endif

namespace {

constexpr qsizetype kLongueurSuffixe = 6;
// Scratch copies carry the program's name, so that cleaning them never takes
// a user's own "Cheque.ini.ancien" for one.
constexpr char kMarqueCopie[] = ".scribane-";

QString MessageEcriture(const QString& chemin, const QString& raison) {
    return QStringLiteral("L'écriture du fichier %1 a échoué : %2.")
        .arg(QDir::toNativeSeparators(chemin), raison);
}

Echec Echouer(const QString& chemin, const QString& raison) {
    return {MessageEcriture(chemin, raison)};
}

// A new file there would not be the one the link's owner keeps: refused.
QString LienVersRien(const QString& lien) {
    return QStringLiteral("c'est un lien symbolique vers %1, qui n'existe pas")
        .arg(QDir::toNativeSeparators(QFileInfo(lien).symLinkTarget()));
}

bool EstAlphanumerique(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

QByteArray SuffixeAuHasard() {
    static constexpr char kChiffres[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffixe(kLongueurSuffixe, Qt::Uninitialized);
    for (char& c : suffixe)
        c = kChiffres[QRandomGenerator::global()->bounded(int(sizeof kChiffres - 1))];
    return suffixe;
}

#ifdef Q_OS_UNIX

// The file a rewrite replaces. Renaming over a symbolic link would put a plain
// file in its place and leave its target behind: the target is rewritten, in
// its own folder (a rename does not cross file systems).
Resultat<QByteArray> FichierARemplacer(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat lien;
    if (::lstat(nom.constData(), &lien) != 0 || !S_ISLNK(lien.st_mode))
        return nom;
    char* cible = ::realpath(nom.constData(), nullptr);
    if (!cible) {
        const int numero = errno;
        if (numero != ENOENT)
            return Echouer(chemin, RaisonSysteme(numero));
        return Echouer(chemin, LienVersRien(chemin));
    }
    const QByteArray resolu(cible);
    std::free(cible);
    return resolu;
}

#endif

#ifdef Q_OS_WIN

// As on Unix: a link's target is rewritten in its own folder; a link to nothing refused.
Resultat<QString> FichierARemplacer(const QString& chemin) {
    const QFileInfo lien(chemin);
    if (!lien.isSymLink())
        return chemin;
    const QString cible = lien.canonicalFilePath();
    if (cible.isEmpty())
        return Echouer(chemin, LienVersRien(chemin));
    return cible;
}

#endif

} // namespace

#ifdef Q_OS_UNIX

bool EcrireTout(int fd, const QByteArray& octets) {
    const char* p = octets.constData();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(reste));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        reste -= n;
    }
    return true;
}

#endif

QString RaisonSysteme(int numero) {
#ifdef Q_OS_WIN
    switch (DWORD(numero)) {
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return QStringLiteral("accès refusé");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("le support est en lecture seule");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("le disque est plein");
    case ERROR_FILE_TOO_LARGE:
        return QStringLiteral("le fichier dépasse la taille permise");
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return QStringLiteral("le dossier n'existe pas");
    case ERROR_DIRECTORY:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return QStringLiteral("erreur d'entrée-sortie sur le disque");
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return QStringLiteral("le nom est trop long");
    case ERROR_INVALID_NAME:
        return QStringLiteral("le nom contient un caractère interdit");
    case ERROR_TOO_MANY_OPEN_FILES:
        return QStringLiteral("trop de fichiers sont ouverts");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return QStringLiteral("le fichier est occupé");
    case ERROR_CANT_RESOLVE_FILENAME:
        return QStringLiteral("les liens symboliques du chemin tournent en rond");
    default:
        return QStringLiteral("erreur système %1").arg(numero);
    }
#endif
    switch (numero) {
#ifdef Q_OS_UNIX
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("le support est en lecture seule");
    case ENOSPC:
        return QStringLiteral("le disque est plein");
    case EDQUOT:
        return QStringLiteral("le quota d'espace disque est atteint");
    case EFBIG:
        return QStringLiteral("le fichier dépasse la taille permise");
    case ENOENT:
        return QStringLiteral("le dossier n'existe pas");
    case ENOTDIR:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case EISDIR:
        return QStringLiteral("un dossier porte ce nom");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie sur le disque");
    case ENAMETOOLONG:
        return QStringLiteral("le nom est trop long");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("trop de fichiers sont ouverts");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("le fichier est occupé");
    case ELOOP:
        return QStringLiteral("les liens symboliques du chemin tournent en rond");
#endif
    default:
        return QStringLiteral("erreur système %1").arg(numero);
    }
}

Resultat<> EcrireFichierAtomique(const QString& chemin, const QByteArray& octets) {
#ifdef Q_OS_UNIX
    const auto remplace = FichierARemplacer(chemin);
    if (!remplace)
        return Echec{remplace.raison()};
    const QByteArray& nom = *remplace;
    // A failure beside a link's target names both: the folder is the target's.
    const QString designation = nom == QFile::encodeName(chemin)
                                    ? chemin
                                    : QStringLiteral("%1 (lien vers %2)")
                                          .arg(QDir::toNativeSeparators(chemin),
                                               QDir::toNativeSeparators(QFile::decodeName(nom)));
    struct stat ancien;
    const bool existait = ::stat(nom.constData(), &ancien) == 0;

    // The scratch copy is created with 0666 less the umask, as a new file would
    // be; an existing file's own mode is put back on it below.
    QByteArray travail;
    int fd = -1;
    for (int essai = 0; essai < 100 && fd < 0; ++essai) {
        travail = nom + kMarqueCopie + SuffixeAuHasard();
        fd = ::open(travail.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Echouer(designation, RaisonSysteme(errno));

    bool ok = true;
    if (existait) {
        // Root could write a read-only file: it must stay read-only all the same.
        ok = ::fchmod(fd, ancien.st_mode & 07777) == 0;
        if (ok && ::geteuid() == 0 && (ancien.st_uid != 0 || ancien.st_gid != 0))
            (void)!::fchown(fd, ancien.st_uid, ancien.st_gid);
    }
    // Every byte checked, then the flush to disk: a full disk may only show
    // there (delayed allocation), and a short copy must never replace the file.
    ok = ok && EcrireTout(fd, octets) && ::fsync(fd) == 0;
    int numero = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        numero = errno;
    }
    if (ok && ::rename(travail.constData(), nom.constData()) != 0) {
        ok = false;
        numero = errno;
    }
    if (ok)
        return {};
    ::unlink(travail.constData());
    return Echouer(designation, RaisonSysteme(numero));
#elif defined(Q_OS_WIN)
    const auto remplace = FichierARemplacer(chemin);
    if (!remplace)
        return Echec{remplace.raison()};
    const QString& nom = *remplace;
    const QString designation =
        nom == chemin ? chemin
                      : QStringLiteral("%1 (lien vers %2)")
                            .arg(QDir::toNativeSeparators(chemin), QDir::toNativeSeparators(nom));
    QString travail;
    PoigneeWindows copie;
    for (int essai = 0; essai < 100 && !copie; ++essai) {
        travail = nom + QLatin1String(kMarqueCopie) + QString::fromLatin1(SuffixeAuHasard());
        copie = OuvrirWindows(travail, GENERIC_WRITE, CREATE_NEW);
        if (!copie && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!copie)
        return Echouer(designation, RaisonSysteme(int(::GetLastError())));
    // Every byte checked, then the flush to disk, before the copy takes the name.
    bool ok = EcrireToutWindows(copie.get(), octets) && ::FlushFileBuffers(copie.get());
    int numero = ok ? 0 : int(::GetLastError());
    copie = PoigneeWindows();
    if (ok && !RemplacerWindows(travail, nom)) {
        ok = false;
        numero = int(::GetLastError());
    }
    if (ok)
        return {};
    ::DeleteFileW(QDir::toNativeSeparators(travail).toStdWString().c_str());
    return Echouer(designation, RaisonSysteme(numero));
#else
    // QSaveFile follows a link to its target, and would create a missing one.
    if (const QFileInfo lien(chemin); lien.isSymLink() && !lien.exists())
        return Echouer(chemin, LienVersRien(chemin));
    QSaveFile fichier(chemin);
    // Unbuffered: a write that fails is seen here, not lost inside commit().
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        fichier.write(octets) != octets.size() || !fichier.commit()) {
        fichier.cancelWriting();
        return Echouer(chemin, fichier.errorString());
    }
    return {};
#endif
}

bool EstCopieDeTravail(QStringView nom, QStringView fichier) {
    const QLatin1String marque(kMarqueCopie);
    if (nom.size() != fichier.size() + marque.size() + kLongueurSuffixe ||
        !nom.startsWith(fichier) || !nom.mid(fichier.size()).startsWith(marque))
        return false;
    for (QChar c : nom.right(kLongueurSuffixe))
        if (!EstAlphanumerique(c))
            return false;
    return true;
}

namespace {

int SupprimerCopiesDans(const QString& dossier, const QStringList& fichiers) {
    int supprimees = 0;
    const QDir d(dossier);
    for (const QString& nom : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        for (const QString& fichier : fichiers) {
            if (EstCopieDeTravail(nom, fichier) && QFile::remove(d.filePath(nom))) {
                ++supprimees;
                break;
            }
        }
    }
    return supprimees;
}

} // namespace

int SupprimerCopiesDeTravail(const QString& dossier, const QStringList& fichiers) {
    int supprimees = SupprimerCopiesDans(dossier, fichiers);
    // A rewrite through a link leaves its scratch copy beside the target.
    for (const QString& fichier : fichiers) {
        const QFileInfo lien(QDir(dossier).filePath(fichier));
        if (!lien.isSymLink())
            continue;
        const QFileInfo cible(lien.canonicalFilePath());
        if (!cible.filePath().isEmpty())
            supprimees += SupprimerCopiesDans(cible.absolutePath(), {cible.fileName()});
    }
    return supprimees;
}
