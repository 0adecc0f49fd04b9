#pragma once

// What Windows' own file calls give and Qt does not: locks on a byte, the flush to disk
// checked, a replace that reaches the disk before it returns. Errors are the system's
// codes (GetLastError), said in French by RaisonSysteme.

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>

#include <windows.h>

// A file handle closed on leaving; its lock, if any, goes with it.
class PoigneeWindows {
public:
    PoigneeWindows() = default;
    explicit PoigneeWindows(HANDLE h) : h_(h) {}
    ~PoigneeWindows();
    PoigneeWindows(PoigneeWindows&& autre) noexcept : h_(autre.h_) {
        autre.h_ = INVALID_HANDLE_VALUE;
    }
    PoigneeWindows& operator=(PoigneeWindows&& autre) noexcept {
        std::swap(h_, autre.h_);
        return *this;
    }
    PoigneeWindows(const PoigneeWindows&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Opens `chemin` shared for reading and writing with others, as CreateFileW's
// `disposition` says (OPEN_ALWAYS, OPEN_EXISTING, CREATE_NEW).
PoigneeWindows OuvrirWindows(const QString& chemin, DWORD acces, DWORD disposition,
                             DWORD attributs = FILE_ATTRIBUTE_NORMAL);

// The lock on one byte far past any text (at 4 GiB), so that readers still read the
// file while it is held. `exclusif` for a writer, shared for readers; `attendre`
// waits for it, else a lock held elsewhere fails at once with ERROR_LOCK_VIOLATION.
bool VerrouillerWindows(HANDLE h, bool exclusif, bool attendre);

// Every byte written at the current position; a write that takes nothing is a full disk.
bool EcrireToutWindows(HANDLE h, const QByteArray& octets);

// Reads `taille` bytes at `offset`.
bool LireAWindows(HANDLE h, qint64 offset, qsizetype taille, QByteArray& octets);

std::optional<qint64> TailleWindows(HANDLE h);

// Cuts the file back to `taille` bytes.
bool TronquerWindows(HANDLE h, qint64 taille);

// Renames `copie` over `cible` in one step that is on the disk when it returns. The
// file keeps its attributes (a read-only file stays read-only), and a new one gets
// none.
bool RemplacerWindows(const QString& copie, const QString& cible);
