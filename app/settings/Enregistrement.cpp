#include "Enregistrement.h"

#include "FichierIni.h"

#include <QDir>

bool EnregistrerCheque(const CheminsScribane& chemins, const QString& section,
                       const Reglages* reglages, const ListesMemorisees& listes, QString* erreur) {
    DocumentIni doc = DocumentIni::Charger(chemins.cheque());
    if (!doc.lisible()) {
        if (erreur)
            *erreur = QStringLiteral("Impossible de lire le fichier %1.")
                          .arg(QDir::toNativeSeparators(chemins.cheque()));
        return false;
    }
    // List lines out first: the section write then scans only the settings.
    doc.lignes() = PurgerListes(doc.lignes());
    if (reglages && !section.isEmpty())
        EcrireReglages(doc, section, *reglages);
    EcrireListes(doc.lignes(), listes);
    return doc.enregistrer(chemins.cheque(), erreur);
}
