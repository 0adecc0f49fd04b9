#pragma once

#include "settings/Resultat.h"

#include <QString>

// The files of the program, all in one folder.
struct CheminsScribane {
    QString dossier;

    QString cheque() const { return dossier + QStringLiteral("/Cheque.ini"); }
    QString tmpCheque() const { return dossier + QStringLiteral("/TmpCheque.ini"); }
    QString choix() const { return dossier + QStringLiteral("/Choix.cfg"); }
    QString journaux() const { return dossier + QStringLiteral("/Journaux"); }
    QString verrou() const { return dossier + QStringLiteral("/Scribane.lock"); }
};

// The user's data folder, where an installed program keeps its settings:
// ~/.local/share/Scribane, %LOCALAPPDATA%\Scribane on Windows.
QString DossierDonneesUtilisateur();

// Where the settings live: the user's data folder for an installed program;
// otherwise the program's own folder when it can be written, the user's data
// folder failing that (a copy whose folder became read-only).
struct DossierChoisi {
    QString chemin;
    bool repli = false;        // the user's data folder was taken
    bool premierRepli = false; // ... and it was created just now, for a copy
                               // that would have used its own folder
};
DossierChoisi ChoisirDossier(const QString& dossierProgramme, const QString& dossierDonnees);

// The package's own library folder beside an installed program; empty for a
// program run from where it was built or copied. On Windows, the program's own
// folder when it lies under "Program Files".
QString DossierBibliothequesInstallees(const QString& dossierProgramme);

// Whether a file can be created in the folder (tried, not guessed from rights).
bool DossierInscriptible(const QString& dossier);

// A rewrite of the former kind deleted Cheque.ini before renaming its scratch
// copy; a crash in between left the settings in TmpCheque.ini only. Gives them
// their name back. Returns whether something was recovered.
bool RecupererReecritureInterrompue(const CheminsScribane& chemins);

// Turns a one-choice Cheque.ini into a two-choice one (its settings become
// choice 1) and writes Choix.cfg "1,1". On failure nothing is lost and the
// result says why.
Resultat<> ConvertirAncienFichier(const CheminsScribane& chemins);

#include "settings/VerrouDossier.h"

#include <memory>

// Why the lock was not taken: another instance holds it, or the folder
// refuses it (read-only, full disk), said in French.
struct RefusVerrou {
    QString message;
    bool dejaOuvert = false;
};

// The lock that keeps a second instance from starting on the same folder: the
// system's lock on Scribane.lock, which a crashed instance no longer holds.
// Once it is held, the scratch copies a killed rewrite left beside the files
// are removed. Null when the lock is not taken; `refus` then says why.
std::unique_ptr<VerrouDossier> PrendreVerrou(const CheminsScribane& chemins,
                                             RefusVerrou* refus = nullptr);
