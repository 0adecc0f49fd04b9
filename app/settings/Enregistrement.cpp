#include "settings/Enregistrement.h"

#include "settings/Cp1252.h"
#include "settings/FichierIni.h"

Resultat<> EnregistrerCheque(const CheminsScribane& chemins, const QString& section,
                             const Reglages* reglages, const ListesMemorisees& listes) {
    DocumentIni doc = DocumentIni::Charger(chemins.cheque());
    if (!doc.lisible())
        return EchecLecture(chemins.cheque());
    // List lines out first: the section write then scans only the settings.
    doc.lignes() = PurgerListes(doc.lignes());
    if (reglages && !section.isEmpty())
        EcrireReglages(doc, section, *reglages);
    EcrireListes(doc.lignes(), listes);
    return doc.enregistrer(chemins.cheque());
}

QStringList TextesNonRepresentables(const ListesMemorisees& listes, const Reglages* reglages) {
    QStringList textes;
    auto verifier = [&textes](const QString& texte) {
        if (!RepresentableCp1252(texte) && !textes.contains(texte))
            textes.append(texte);
    };
    for (const QStringList* liste : {&listes.montants, &listes.destinataires, &listes.lieux})
        for (const QString& texte : *liste)
            verifier(texte);
    if (reglages)
        for (const QString* texte : {&reglages->Imprimante, &reglages->Police, &reglages->Montant,
                                     &reglages->Ledestinataire, &reglages->Devise,
                                     &reglages->Centimes, &reglages->Liaison})
            verifier(*texte);
    return textes;
}
