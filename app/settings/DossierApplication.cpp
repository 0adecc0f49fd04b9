#include "settings/DossierApplication.h"

#include "Projet.h"
#include "settings/EtatChoix.h"
#include "settings/FichierIni.h"
#include "settings/Listes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

bool DossierInscriptible(const QString& dossier) {
    if (!QFileInfo(dossier).isDir())
        return false;
    QTemporaryFile essai(dossier + QStringLiteral("/.scribane-essai-XXXXXX"));
    return essai.open();
}

QString DossierBibliothequesInstallees(const QString& dossierProgramme) {
    const QString dossier =
        QDir::cleanPath(dossierProgramme + u'/' + QLatin1String(kDossierBibliothequesInstallees));
    return QFileInfo(dossier).isDir() ? dossier : QString();
}

DossierChoisi ChoisirDossier(const QString& dossierProgramme, const QString& dossierDonnees) {
    // An installed program's folder is the system's (writable by root, but
    // never a place for one user's settings).
    if (!DossierBibliothequesInstallees(dossierProgramme).isEmpty()) {
        QDir().mkpath(dossierDonnees);
        return {dossierDonnees, true, false};
    }
    if (DossierInscriptible(dossierProgramme))
        return {dossierProgramme, false, false};
    const bool existait = QFileInfo(dossierDonnees).isDir();
    QDir().mkpath(dossierDonnees);
    return {dossierDonnees, true, !existait};
}

bool RecupererReecritureInterrompue(const CheminsScribane& chemins) {
    if (QFileInfo::exists(chemins.cheque()) || !QFileInfo::exists(chemins.tmpCheque()))
        return false;
    return QFile::rename(chemins.tmpCheque(), chemins.cheque());
}

Resultat<> ConvertirAncienFichier(const CheminsScribane& chemins) {
    const DocumentIni ancien = DocumentIni::Charger(chemins.cheque());
    if (!ancien.existe())
        return EchecLecture(chemins.cheque());
    const DocumentIni converti(ConvertirLignesAnciennes(ancien.lignes()));
    if (auto ecrit = converti.enregistrer(chemins.cheque()); !ecrit)
        return ecrit;
    return EcrireChoixCfg(chemins.choix(), {1, 1});
}

namespace {

// Whether the lock file names no owner that could still hold it.
bool VerrouAbandonne(const QLockFile& verrou) {
    qint64 pid = 0;
    QString hote;
    QString application;
    if (!verrou.getLockInfo(&pid, &hote, &application))
        return true; // empty or damaged: its owner died before writing itself in
    if (!hote.isEmpty() && hote != QSysInfo::machineHostName())
        return false; // a folder shared with another machine: we cannot tell
    if (pid == QCoreApplication::applicationPid())
        return true; // our own number, left by an earlier run (a container restarted)
#ifdef Q_OS_UNIX
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#else
    return false;
#endif
}

RefusVerrou Refus(const CheminsScribane& chemins, QLockFile::LockError erreur) {
    if (erreur == QLockFile::LockFailedError)
        return {QStringLiteral("Scribane est déjà ouvert."), true};
    // The lock file gives no reason: find it by trying to write in the folder.
    const QString dossier = QDir::toNativeSeparators(chemins.dossier);
    int numero = 0;
#ifdef Q_OS_UNIX
    const QByteArray essai = QFile::encodeName(chemins.verrou() + QStringLiteral(".essai"));
    const int fd = ::open(essai.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        numero = errno;
    } else {
        const char octets[64] = {};
        if (::write(fd, octets, sizeof octets) != ssize_t(sizeof octets) || ::fsync(fd) != 0)
            numero = errno;
        ::close(fd);
        ::unlink(essai.constData());
    }
    if (numero == ENOSPC || numero == EDQUOT)
        return {QStringLiteral("Le disque est plein : %1 ne peut pas être créé.")
                    .arg(QDir::toNativeSeparators(chemins.verrou()))};
    if (numero == EACCES || numero == EPERM || numero == EROFS)
        return {QStringLiteral("Le dossier %1 n'est pas accessible en écriture : %2.")
                    .arg(dossier, RaisonSysteme(numero))};
#endif
    if (erreur == QLockFile::PermissionError)
        return {QStringLiteral("Le dossier %1 n'est pas accessible en écriture.").arg(dossier)};
    const QString verrou = QDir::toNativeSeparators(chemins.verrou());
    return {numero != 0 ? QStringLiteral("Le verrou %1 n'a pas pu être pris : %2.")
                              .arg(verrou, RaisonSysteme(numero))
                        : QStringLiteral("Le verrou %1 n'a pas pu être pris.").arg(verrou)};
}

} // namespace

std::unique_ptr<QLockFile> PrendreVerrou(const CheminsScribane& chemins, RefusVerrou* refus) {
    auto verrou = std::make_unique<QLockFile>(chemins.verrou());
    // Never stale by age: only when the process that took it is gone.
    verrou->setStaleLockTime(0);
    bool pris = verrou->tryLock(0);
    if (!pris && verrou->error() == QLockFile::LockFailedError && VerrouAbandonne(*verrou)) {
        // Qt takes over only a lock whose owner it can read, and a leftover
        // ".rmlock" stops it for 30 s. Removing takes the file's system lock
        // first, which a living owner holds: a wrong guess above cannot take
        // the lock from under it.
        verrou->removeStaleLockFile();
        pris = verrou->tryLock(0);
    }
    if (!pris) {
        if (refus)
            *refus = Refus(chemins, verrou->error());
        return nullptr;
    }
    QLockFile(chemins.verrou() + QStringLiteral(".rmlock")).removeStaleLockFile();
    SupprimerCopiesDeTravail(chemins.dossier, {QFileInfo(chemins.cheque()).fileName(),
                                               QFileInfo(chemins.choix()).fileName()});
    return verrou;
}
