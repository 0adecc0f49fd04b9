#include "DossierApplication.h"

#include "EtatChoix.h"
#include "FichierIni.h"
#include "Listes.h"
#include "Projet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryFile>

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

bool ConvertirAncienFichier(const CheminsScribane& chemins, QString* erreur) {
    const DocumentIni ancien = DocumentIni::Charger(chemins.cheque());
    if (!ancien.existe()) {
        if (erreur)
            *erreur = QStringLiteral("Impossible de lire le fichier %1.")
                          .arg(QDir::toNativeSeparators(chemins.cheque()));
        return false;
    }
    const DocumentIni converti(ConvertirLignesAnciennes(ancien.lignes()));
    return converti.enregistrer(chemins.cheque(), erreur) &&
           EcrireChoixCfg(chemins.choix(), {1, 1}, erreur);
}

std::unique_ptr<QLockFile> PrendreVerrou(const CheminsScribane& chemins) {
    auto verrou = std::make_unique<QLockFile>(chemins.verrou());
    // Never stale by age: only when the process that took it is gone.
    verrou->setStaleLockTime(0);
    if (!verrou->tryLock(0))
        return nullptr;
    return verrou;
}
