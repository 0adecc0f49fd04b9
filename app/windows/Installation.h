#pragma once

#include <QString>

// The control library an installed program registers when its class is not:
// the one in the package's library folder. Empty for a program run from where
// it was built or copied, which takes the one beside itself.
QString BibliothequeControleInstallee(const QString& dossierProgramme);
