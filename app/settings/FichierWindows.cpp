#include "settings/FichierWindows.h"

#include <QDir>

namespace {

std::wstring Natif(const QString& chemin) {
    return QDir::toNativeSeparators(chemin).toStdWString();
}

OVERLAPPED Zone() {
    OVERLAPPED zone = {};
    zone.OffsetHigh = 1;
    return zone;
}

} // namespace

PoigneeWindows::~PoigneeWindows() {
    if (h_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(h_);
}

PoigneeWindows OuvrirWindows(const QString& chemin, DWORD acces, DWORD disposition,
                             DWORD attributs) {
    return PoigneeWindows(::CreateFileW(Natif(chemin).c_str(), acces,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                                        attributs, nullptr));
}

bool VerrouillerWindows(HANDLE h, bool exclusif, bool attendre) {
    OVERLAPPED zone = Zone();
    DWORD options = 0;
    if (exclusif)
        options |= LOCKFILE_EXCLUSIVE_LOCK;
    if (!attendre)
        options |= LOCKFILE_FAIL_IMMEDIATELY;
    return ::LockFileEx(h, options, 0, 1, 0, &zone) != 0;
}

bool EcrireToutWindows(HANDLE h, const QByteArray& octets) {
    const char* p = octets.constData();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const DWORD morceau = DWORD(qMin<qsizetype>(reste, 1 << 30));
        DWORD ecrits = 0;
        if (!::WriteFile(h, p, morceau, &ecrits, nullptr))
            return false;
        if (ecrits == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        p += ecrits;
        reste -= ecrits;
    }
    return true;
}

bool LireAWindows(HANDLE h, qint64 offset, qsizetype taille, QByteArray& octets) {
    octets.resize(taille);
    LARGE_INTEGER position;
    position.QuadPart = offset;
    if (!::SetFilePointerEx(h, position, nullptr, FILE_BEGIN))
        return false;
    qsizetype lus = 0;
    while (lus < taille) {
        DWORD n = 0;
        if (!::ReadFile(h, octets.data() + lus, DWORD(taille - lus), &n, nullptr))
            return false;
        if (n == 0) {
            ::SetLastError(ERROR_HANDLE_EOF);
            return false;
        }
        lus += n;
    }
    return true;
}

std::optional<qint64> TailleWindows(HANDLE h) {
    LARGE_INTEGER taille;
    if (!::GetFileSizeEx(h, &taille))
        return std::nullopt;
    return qint64(taille.QuadPart);
}

bool TronquerWindows(HANDLE h, qint64 taille) {
    LARGE_INTEGER position;
    position.QuadPart = taille;
    return ::SetFilePointerEx(h, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(h);
}

bool RemplacerWindows(const QString& copie, const QString& cible) {
    const std::wstring de = Natif(copie);
    const std::wstring vers = Natif(cible);
    const DWORD anciens = ::GetFileAttributesW(vers.c_str());
    const bool existait = anciens != INVALID_FILE_ATTRIBUTES;
    // A read-only file cannot be replaced: it is made writable for the rename, and
    // read-only again after it, whichever way the rename goes.
    if (existait && (anciens & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(vers.c_str(), anciens & ~DWORD(FILE_ATTRIBUTE_READONLY));
    if (!::MoveFileExW(de.c_str(), vers.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD erreur = ::GetLastError();
        if (existait)
            ::SetFileAttributesW(vers.c_str(), anciens);
        ::SetLastError(erreur);
        return false;
    }
    ::SetFileAttributesW(vers.c_str(), existait ? anciens : DWORD(FILE_ATTRIBUTE_NORMAL));
    return true;
}
