#pragma once

#include <QString>

#include <memory>

// An exclusive lock held by the operating system on one file (flock on POSIX,
// LockFileEx on Windows). The system releases it when its holder dies, however
// it dies: whether a lock is abandoned is never guessed from the file's
// content, only from whether the lock can be taken.
class VerrouDossier {
public:
    enum class Etat { Pris, TenuAilleurs, Erreur };

    // Takes the lock on `chemin` without waiting, creating the file if needed.
    // `etat` says what came of it and, on Erreur, `numero` the system's error
    // number. The file then names its holder, for people who look.
    static std::unique_ptr<VerrouDossier> Prendre(const QString& chemin, Etat& etat, int& numero);

    // Removes the file while it is still held (POSIX), then lets the lock go:
    // a rival that opened the old file meanwhile sees it is no longer the
    // lock's and starts again on a new one.
    ~VerrouDossier();

    VerrouDossier(const VerrouDossier&) = delete;
    VerrouDossier& operator=(const VerrouDossier&) = delete;

private:
    VerrouDossier(QString chemin, qintptr poignee) : chemin_(std::move(chemin)), poignee_(poignee) {}

    QString chemin_;
    qintptr poignee_; // a file descriptor, or a Windows HANDLE
};
