#include "PreparationMontant.h"

#include "Reglages.h"
#include "montant_en_lettres.h"
#include "montant_texte.h"

QString CaptionDuMontant(const QString& lettres, const QString& lettresUnites,
                         const QString& liaison, bool encadrer) {
    const QString lien = QLatin1Char(' ') + liaison + QLatin1Char(' ');
    QString caption = lettres;
    if (QStringView(lettres).mid(lettresUnites.size()).startsWith(lien) &&
        lettres.startsWith(lettresUnites))
        caption = lettresUnites + QLatin1Char('*') + lettres.mid(lettresUnites.size());
    if (encadrer)
        caption = QStringLiteral("// ") + caption + QStringLiteral(" //");
    return caption;
}

MontantPrepare PreparerTexteMontant(const QString& montant, const Reglages& r) {
    const bool sansCentimesNuls = r.EcrireCent == 1;
    const ResultatMontant mots =
        MontantEnLettres(montant, r.Devise, r.Centimes, r.Liaison, sansCentimesNuls);
    const qsizetype virgule = montant.indexOf(u',');
    const QString unites = virgule < 0 ? mots.lettres
                                       : MontantEnLettres(QStringView(montant).left(virgule),
                                                          r.Devise, r.Centimes, r.Liaison, false)
                                             .lettres;
    return {CaptionDuMontant(mots.lettres, unites, r.Liaison, r.Encadrer == 1),
            mots.montantRaccourci};
}

QString CaptionAvecSautDeLigne(const QString& texte) {
    const qsizetype premiere = texte.indexOf(u'*');
    if (premiere < 0)
        return texte;
    const qsizetype seconde = texte.indexOf(u'*', premiere + 1);
    const QString suite =
        seconde < 0 ? texte.mid(premiere + 1) : texte.mid(premiere + 1, seconde - premiere - 1);
    return texte.left(premiere) + QLatin1Char('\n') + suite;
}

std::optional<QString> RefusMontant(const QString& montant) {
    if (montant.isEmpty())
        return QStringLiteral("Aucun texte n'est à imprimer !");
    // The words are the legal amount: nothing is printed that they cannot say.
    const auto lu = LireMontantExact(montant);
    const auto valeur = LireMontant(montant);
    // More than two decimals would be read as cents by the words (12,345 as
    // "trois cent quarante-cinq centimes") while the figures say otherwise.
    if (!lu || !valeur || *valeur < 0 || *valeur >= 1e12 || lu->decimales > 2)
        return QStringLiteral("Le montant « %1 » ne peut pas être écrit en lettres : aucun "
                              "chèque n'est imprimé !")
            .arg(montant);
    return std::nullopt;
}
