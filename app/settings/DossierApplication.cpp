#include "settings/DossierApplication.h"

#include "Projet.h"
#include "settings/EtatChoix.h"
#include "settings/FichierIni.h"
#include "settings/Listes.h"
#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif


QString DossierDonneesUtilisateur() {
    // Named here rather than after the running program, so the window, the command line
    // and the tests all find the same folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Scribane");
}

bool DossierInscriptible(const QString& dossier) {
    if (!QFileInfo(dossier).isDir())
        return false;
    QTemporaryFile essai(dossier + QStringLiteral("/.scribane-essai-XXXXXX"));
    return essai.open();
}

QString DossierBibliothequesInstallees(const QString& dossierProgramme) {
#ifdef Q_OS_WIN
    // One folder holds the program and its libraries: a copy is installed when that
    // folder lies under "Program Files", portable anywhere else.
    const QString programme = QDir::cleanPath(dossierProgramme) + u'/';
    for (const char* variable : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"}) {
        const QString racine = QDir::fromNativeSeparators(qEnvironmentVariable(variable));
        if (!racine.isEmpty() &&
            programme.startsWith(QDir::cleanPath(racine) + u'/', Qt::CaseInsensitive))
            return QDir::cleanPath(dossierProgramme);
    }
    return {};
#endif
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

RefusVerrou Refus(const CheminsScribane& chemins, VerrouDossier::Etat etat, int numero) {
    if (etat == VerrouDossier::Etat::TenuAilleurs)
        return {QStringLiteral("Scribane est déjà ouvert."), true};
    const QString dossier = QDir::toNativeSeparators(chemins.dossier);
    const QString verrou = QDir::toNativeSeparators(chemins.verrou());
#if defined(Q_OS_UNIX)
    const bool plein = numero == ENOSPC || numero == EDQUOT;
    const bool interdit = numero == EACCES || numero == EPERM || numero == EROFS;
#elif defined(Q_OS_WIN)
    const bool plein = numero == ERROR_DISK_FULL || numero == ERROR_HANDLE_DISK_FULL;
    const bool interdit = numero == ERROR_ACCESS_DENIED || numero == ERROR_WRITE_PROTECT;
#else
    const bool plein = false, interdit = false;
#endif
    if (plein)
        return {QStringLiteral("Le disque est plein : %1 ne peut pas être créé.").arg(verrou)};
    if (interdit)
        return {QStringLiteral("Le dossier %1 n'est pas accessible en écriture : %2.")
                    .arg(dossier, RaisonSysteme(numero))};
    return {numero != 0 ? QStringLiteral("Le verrou %1 n'a pas pu être pris : %2.")
                              .arg(verrou, RaisonSysteme(numero))
                        : QStringLiteral("Le verrou %1 n'a pas pu être pris.").arg(verrou)};
}

} // namespace

std::unique_ptr<VerrouDossier> PrendreVerrou(const CheminsScribane& chemins, RefusVerrou* refus) {
    VerrouDossier::Etat etat;
    int numero = 0;
    auto verrou = VerrouDossier::Prendre(chemins.verrou(), etat, numero);
    if (!verrou) {
        if (refus)
            *refus = Refus(chemins, etat, numero);
        return nullptr;
    }
    // Left by the lock of earlier versions, which could stop a take-over.
    QFile::remove(chemins.verrou() + QStringLiteral(".rmlock"));
    SupprimerCopiesDeTravail(chemins.dossier, {QFileInfo(chemins.cheque()).fileName(),
                                               QFileInfo(chemins.choix()).fileName()});
    return verrou;
}
