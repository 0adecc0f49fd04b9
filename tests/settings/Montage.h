#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

// A small tmpfs of its own, for the cases a real file system must show (a full
// disk, a read-only medium). Mounting needs the super-user, as in CI; elsewhere
// the tests skip and say so.
class PetitTmpfs {
public:
#ifdef Q_OS_UNIX
    explicit PetitTmpfs(const char* options = "size=200k") {
        if (!dossier_.isValid())
            return;
        const QByteArray chemin = QFile::encodeName(dossier_.path());
        const unsigned long drapeaux = std::strstr(options, "ro") == options ? MS_RDONLY : 0;
        if (::mount("tmpfs", chemin.constData(), "tmpfs", drapeaux, options) == 0)
            monte_ = true;
        else
            raison_ = QStringLiteral("impossible de monter un tmpfs (%1) : il faut être "
                                     "super-utilisateur, comme en CI")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~PetitTmpfs() {
        if (monte_)
            ::umount2(QFile::encodeName(dossier_.path()).constData(), MNT_DETACH);
    }

    // Fills the file system, then frees `libre` bytes of it.
    bool remplir(qint64 libre) const {
        const QByteArray nom = QFile::encodeName(fichier(QStringLiteral("remplissage")));
        const int fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const QByteArray bloc(4096, 'x');
        off_t taille = 0;
        for (;;) {
            const ssize_t n = ::write(fd, bloc.constData(), std::size_t(bloc.size()));
            if (n <= 0)
                break;
            taille += n;
        }
        const bool plein = errno == ENOSPC;
        const bool ok = plein && ::ftruncate(fd, taille > libre ? taille - libre : 0) == 0;
        ::close(fd);
        return ok;
    }
#else
    // No small file system to mount here: those cases are Linux's.
    explicit PetitTmpfs(const char* = "size=200k")
        : raison_(QStringLiteral("pas de petit système de fichiers à monter sous Windows")) {}
    bool remplir(qint64) const { return false; }
#endif
    bool monte() const { return monte_; }
    std::string raison() const { return raison_.toStdString(); }
    QString chemin() const { return dossier_.path(); }
    QString fichier(const QString& nom) const { return dossier_.filePath(nom); }

private:
    QTemporaryDir dossier_;
    bool monte_ = false;
    QString raison_;
};
