#include "settings/VerrouDossier.h"

#include "settings/EcritureAtomique.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// What a person finds in the file: who holds it. Nothing reads it back.
QByteArray Titulaire() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

} // namespace

#ifdef Q_OS_WIN

namespace {

// The byte locked lies far past the text, so others can still read who holds it.
OVERLAPPED ZoneVerrouillee() {
    OVERLAPPED zone = {};
    zone.OffsetHigh = 1;
    return zone;
}

} // namespace

std::unique_ptr<VerrouDossier> VerrouDossier::Prendre(const QString& chemin, Etat& etat,
                                                      int& numero) {
    numero = 0;
    const std::wstring nom = chemin.toStdWString();
    // Shared all ways: only the lock on its byte keeps a second instance out.
    const HANDLE h = ::CreateFileW(nom.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        numero = int(::GetLastError());
        etat = numero == ERROR_SHARING_VIOLATION ? Etat::TenuAilleurs : Etat::Erreur;
        return nullptr;
    }
    OVERLAPPED zone = ZoneVerrouillee();
    if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &zone)) {
        numero = int(::GetLastError());
        ::CloseHandle(h);
        etat = numero == ERROR_LOCK_VIOLATION ? Etat::TenuAilleurs : Etat::Erreur;
        return nullptr;
    }
    const QByteArray texte = Titulaire();
    DWORD ecrits = 0;
    if (!::SetEndOfFile(h) || !::WriteFile(h, texte.constData(), DWORD(texte.size()), &ecrits,
                                           nullptr) ||
        ecrits != DWORD(texte.size()) || !::FlushFileBuffers(h)) {
        numero = int(::GetLastError());
        ::UnlockFileEx(h, 0, 1, 0, &zone);
        ::CloseHandle(h);
        etat = Etat::Erreur;
        return nullptr;
    }
    etat = Etat::Pris;
    return std::unique_ptr<VerrouDossier>(new VerrouDossier(chemin, qintptr(h)));
}

VerrouDossier::~VerrouDossier() {
    // The file stays: removing it while a rival holds it open would let that
    // rival lock a file no longer named, beside a new one.
    const HANDLE h = HANDLE(poignee_);
    OVERLAPPED zone = ZoneVerrouillee();
    ::UnlockFileEx(h, 0, 1, 0, &zone);
    ::CloseHandle(h);
}

#else

namespace {

// Whether the open file is the one the name leads to now (a holder may have
// removed it between our opening and our lock).
bool EncoreLeFichier(int fd, const QByteArray& nom) {
    struct stat ouvert, actuel;
    return ::fstat(fd, &ouvert) == 0 && ::stat(nom.constData(), &actuel) == 0 &&
           ouvert.st_dev == actuel.st_dev && ouvert.st_ino == actuel.st_ino;
}

bool EcrireTitulaire(int fd) {
    // Freshly opened: the offset is at the start the truncation leaves.
    return ::ftruncate(fd, 0) == 0 && EcrireTout(fd, Titulaire()) && ::fsync(fd) == 0;
}

} // namespace

std::unique_ptr<VerrouDossier> VerrouDossier::Prendre(const QString& chemin, Etat& etat,
                                                      int& numero) {
    numero = 0;
    const QByteArray nom = QFile::encodeName(chemin);
    // A few rounds at most: each one means a holder removed the file under us.
    for (int essai = 0; essai < 20; ++essai) {
        const int fd = ::open(nom.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            numero = errno;
            etat = Etat::Erreur;
            return nullptr;
        }
        int pris;
        do
            pris = ::flock(fd, LOCK_EX | LOCK_NB);
        while (pris != 0 && errno == EINTR);
        if (pris != 0) {
            numero = errno;
            ::close(fd);
            etat = numero == EWOULDBLOCK ? Etat::TenuAilleurs : Etat::Erreur;
            return nullptr;
        }
        if (!EncoreLeFichier(fd, nom)) {
            ::close(fd);
            continue;
        }
        if (!EcrireTitulaire(fd)) {
            // Held, so it is ours to remove: nothing is left behind.
            numero = errno;
            ::unlink(nom.constData());
            ::close(fd);
            etat = Etat::Erreur;
            return nullptr;
        }
        etat = Etat::Pris;
        return std::unique_ptr<VerrouDossier>(new VerrouDossier(chemin, fd));
    }
    numero = EBUSY;
    etat = Etat::Erreur;
    return nullptr;
}

VerrouDossier::~VerrouDossier() {
    const int fd = int(poignee_);
    const QByteArray nom = QFile::encodeName(chemin_);
    // Only our own file: someone may have removed it and another taken its name.
    if (EncoreLeFichier(fd, nom))
        ::unlink(nom.constData());
    ::close(fd);
}

#endif
