#include "impression/FichierPdf.h"

#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "settings/FichierWindows.h"
#endif

namespace {

QString SuffixeAuHasard() {
    static constexpr char kChiffres[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffixe;
    for (int i = 0; i < 6; ++i)
        suffixe += QLatin1Char(kChiffres[QRandomGenerator::global()->bounded(62)]);
    return suffixe;
}

// The offset of the cross-reference a complete document names at its end
// ("startxref", the offset, "%%EOF"), or -1.
qint64 OffsetXref(QByteArray fin) {
    while (!fin.isEmpty() && (fin.back() == '\n' || fin.back() == '\r' || fin.back() == ' '))
        fin.chop(1);
    if (!fin.endsWith("%%EOF"))
        return -1;
    const qsizetype mot = fin.lastIndexOf("startxref");
    if (mot < 0)
        return -1;
    bool ok = false;
    const qint64 offset =
        fin.mid(mot + 9, fin.size() - 5 - (mot + 9)).trimmed().toLongLong(&ok);
    return ok && offset >= 0 ? offset : -1;
}

const QString kIncomplet = QStringLiteral("le fichier PDF n'a pas pu être écrit en entier");

} // namespace

FichierPdfProvisoire::FichierPdfProvisoire(QString cible) : cible_(std::move(cible)) {
    // Reserved now, with the name no one else can have: the printer engine
    // then only writes over it.
    int numero = 0;
    for (int essai = 0; essai < 100 && copie_.isEmpty(); ++essai) {
        // Hidden beside the file: a copy a kill leaves behind stays out of sight.
        const QFileInfo info(cible_);
        const QString nom = info.dir().filePath(QStringLiteral(".") + info.fileName() +
                                                QStringLiteral(".scribane-") + SuffixeAuHasard());
#ifdef Q_OS_UNIX
        const int fd = ::open(QFile::encodeName(nom).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            copie_ = nom;
        } else if (errno != EEXIST) {
            numero = errno;
            break;
        }
#elif defined(Q_OS_WIN)
        // Not given the hidden attribute: Windows refuses to truncate a hidden file
        // opened for writing without it, as the printer engine opens it.
        if (OuvrirWindows(nom, GENERIC_WRITE, CREATE_NEW)) {
            copie_ = nom;
        } else if (::GetLastError() != ERROR_FILE_EXISTS) {
            numero = int(::GetLastError());
            break;
        }
#else
        QFile f(nom);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            copie_ = nom;
        else if (!QFileInfo::exists(nom)) {
            refus_ = QStringLiteral("le fichier n'a pas pu être créé : %1.").arg(f.errorString());
            return;
        }
#endif
    }
    if (copie_.isEmpty())
        refus_ = QStringLiteral("le fichier n'a pas pu être créé : %1.")
                     .arg(numero ? RaisonSysteme(numero) : QStringLiteral("trop de copies"));
}

FichierPdfProvisoire::~FichierPdfProvisoire() {
    if (!copie_.isEmpty() && !remplace_)
        QFile::remove(copie_);
}

#ifdef Q_OS_UNIX

namespace {

bool LireA(int fd, qint64 offset, qsizetype taille, QByteArray& octets) {
    octets.resize(taille);
    qsizetype lus = 0;
    while (lus < taille) {
        const ssize_t n = ::pread(fd, octets.data() + lus, std::size_t(taille - lus),
                                  off_t(offset + lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        lus += n;
    }
    return true;
}

// Why a document came out cut: the engine lost the error, so the disk is asked
// again by writing past its end what a page would take.
int RaisonDeLaCoupure(const QByteArray& nom) {
    const int fd = ::open(nom.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const QByteArray essai(64 * 1024, '\n');
    int numero = 0;
    const ssize_t n = ::write(fd, essai.constData(), std::size_t(essai.size()));
    if (n != ssize_t(essai.size()) || ::fsync(fd) != 0)
        numero = n >= 0 && n != ssize_t(essai.size()) ? ENOSPC : errno;
    ::close(fd);
    return numero;
}

int CoupureDe(const QString& copie) {
    return RaisonDeLaCoupure(QFile::encodeName(copie));
}

} // namespace

Resultat<> FichierPdfProvisoire::remplacer() {
    if (copie_.isEmpty())
        return Echec{refus_};
    const QByteArray nom = QFile::encodeName(copie_);
    const int fd = ::open(nom.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return Echec{kIncomplet + QStringLiteral(" : %1.").arg(RaisonSysteme(errno))};
    struct stat etat;
    bool complet = ::fstat(fd, &etat) == 0;
    const qint64 taille = complet ? qint64(etat.st_size) : 0;
    QByteArray fin;
    QByteArray xref;
    const qsizetype longueurFin = qsizetype(qMin<qint64>(taille, 1024));
    qint64 offset = -1;
    complet = complet && LireA(fd, taille - longueurFin, longueurFin, fin) &&
              (offset = OffsetXref(fin)) >= 0 && offset + 4 <= taille &&
              LireA(fd, offset, 4, xref) && xref == "xref";
    int numero = 0;
    // A document written over keeps who may read it; given only now, as a
    // read-only mode would have kept the engine from writing the copy.
    struct stat ancien;
    if (complet && ::stat(QFile::encodeName(cible_).constData(), &ancien) == 0)
        (void)::fchmod(fd, ancien.st_mode & 07777);
    if (complet && ::fsync(fd) != 0)
        numero = errno;
    ::close(fd);
    if (!complet) {
        numero = RaisonDeLaCoupure(nom);
        return Echec{numero ? kIncomplet + QStringLiteral(" : %1.").arg(RaisonSysteme(numero))
                            : kIncomplet + u'.'};
    }
    if (numero == 0 && ::rename(nom.constData(), QFile::encodeName(cible_).constData()) != 0)
        numero = errno;
    if (numero != 0)
        return Echec{QStringLiteral("le fichier PDF n'a pas pu être enregistré : %1.")
                         .arg(RaisonSysteme(numero))};
    remplace_ = true;
    // The new name itself reaches the disk with its folder.
    const int dossier =
        ::open(QFile::encodeName(QFileInfo(cible_).absolutePath()).constData(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier >= 0) {
        (void)::fsync(dossier);
        ::close(dossier);
    }
    return {};
}

#elif defined(Q_OS_WIN)

namespace {

// Why a document came out cut: the disk is asked again, as on Unix.
int RaisonDeLaCoupure(const QString& nom) {
    const PoigneeWindows h = OuvrirWindows(nom, GENERIC_WRITE, OPEN_EXISTING);
    const std::optional<qint64> taille = h ? TailleWindows(h.get()) : std::nullopt;
    if (!taille || !TronquerWindows(h.get(), *taille) ||
        !EcrireToutWindows(h.get(), QByteArray(64 * 1024, '\n')) || !::FlushFileBuffers(h.get()))
        return int(::GetLastError());
    return 0;
}

int CoupureDe(const QString& copie) {
    return RaisonDeLaCoupure(copie);
}

} // namespace

Resultat<> FichierPdfProvisoire::remplacer() {
    if (copie_.isEmpty())
        return Echec{refus_};
    int numero = 0;
    bool complet = false;
    {
        const PoigneeWindows h = OuvrirWindows(copie_, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        if (!h)
            return Echec{kIncomplet +
                         QStringLiteral(" : %1.").arg(RaisonSysteme(int(::GetLastError())))};
        const std::optional<qint64> taille = TailleWindows(h.get());
        QByteArray fin;
        QByteArray xref;
        qint64 offset = -1;
        if (taille) {
            const qsizetype longueurFin = qsizetype(qMin<qint64>(*taille, 1024));
            complet = LireAWindows(h.get(), *taille - longueurFin, longueurFin, fin) &&
                      (offset = OffsetXref(fin)) >= 0 && offset + 4 <= *taille &&
                      LireAWindows(h.get(), offset, 4, xref) && xref == "xref";
        }
        if (complet && !::FlushFileBuffers(h.get()))
            numero = int(::GetLastError());
    }
    if (!complet) {
        numero = RaisonDeLaCoupure(copie_);
        return Echec{numero ? kIncomplet + QStringLiteral(" : %1.").arg(RaisonSysteme(numero))
                            : kIncomplet + u'.'};
    }
    if (numero == 0 && !RemplacerWindows(copie_, cible_))
        numero = int(::GetLastError());
    if (numero != 0)
        return Echec{QStringLiteral("le fichier PDF n'a pas pu être enregistré : %1.")
                         .arg(RaisonSysteme(numero))};
    remplace_ = true;
    return {};
}

#else

Resultat<> FichierPdfProvisoire::remplacer() {
    if (copie_.isEmpty())
        return Echec{refus_};
    QFile f(copie_);
    if (!f.open(QIODevice::ReadOnly))
        return Echec{kIncomplet + QStringLiteral(" : %1.").arg(f.errorString())};
    const qint64 taille = f.size();
    const qint64 longueurFin = qMin<qint64>(taille, 1024);
    QByteArray fin;
    if (f.seek(taille - longueurFin))
        fin = f.read(longueurFin);
    const qint64 offset = OffsetXref(fin);
    const bool complet = offset >= 0 && f.seek(offset) && f.read(4) == "xref";
    f.close();
    if (!complet)
        return Echec{kIncomplet + u'.'};
    if (QFile::exists(cible_) && !QFile::remove(cible_))
        return Echec{QStringLiteral("le fichier PDF n'a pas pu être enregistré : le fichier "
                                    "%1 ne peut pas être remplacé.")
                         .arg(QDir::toNativeSeparators(cible_))};
    if (!QFile::rename(copie_, cible_))
        return Echec{QStringLiteral("le fichier PDF n'a pas pu être enregistré.")};
    remplace_ = true;
    return {};
}

#endif

QString FichierPdfProvisoire::raisonCoupure() const {
    if (copie_.isEmpty())
        return refus_;
#if defined(Q_OS_UNIX) || defined(Q_OS_WIN)
    if (const int numero = CoupureDe(copie_))
        return kIncomplet + QStringLiteral(" : %1.").arg(RaisonSysteme(numero));
#endif
    return kIncomplet + u'.';
}
