#pragma once

#include "settings/DossierApplication.h"
#include "settings/Listes.h"
#include "settings/Reglages.h"
#include "settings/Resultat.h"

// Rewrites Cheque.ini in one atomic replace: the settings section of a choice
// (when `section` is not empty) and the three remembered lists, purged and
// written back in the order given. Fails with a French message naming the
// file when it cannot be read or written; the file is then left as it was.
Resultat<> EnregistrerCheque(const CheminsScribane& chemins, const QString& section,
                             const Reglages* reglages, const ListesMemorisees& listes);

// The texts about to be saved that hold characters the Windows code page of
// Cheque.ini cannot keep (they would come back with "?" in their place).
QStringList TextesNonRepresentables(const ListesMemorisees& listes, const Reglages* reglages);
