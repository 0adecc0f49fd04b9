#include "cheque/PreparationMontant.h"

#include "cheque/DispositionMots.h"
#include "settings/Listes.h"
#include "settings/Reglages.h"
#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"

#include <QFont>

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

ReglesMots ReglesDesMots(const Reglages& r) {
    ReglesMots regles;
    regles.variante = Variante(r.Variante <= 2 ? r.Variante : 0);
    regles.orthographe =
        r.Orthographe == 1 ? Orthographe::Rectifiee1990 : Orthographe::Traditionnelle;
    regles.sansCentimes = r.SansCentimes == 1;
    return regles;
}

QString RaisonSansCentimes() {
    return QStringLiteral("Montant non valide : cette devise n'a pas de centimes (1 500,00).");
}

QString MontantImprime(const QString& montant, const Reglages& r) {
    if (r.EcrireCent != 1 || ExplicationMontant(montant))
        return montant;
    return MontantEnLettres(montant, r.Devise, r.Centimes, r.Liaison, true, ReglesDesMots(r))
        .montantRaccourci.value_or(montant);
}

Resultat<MontantPrepare> PreparerTexteMontant(const QString& montant, const Reglages& r) {
    MontantPrepare prepare;
    if (const auto explication = ExplicationMontant(montant))
        return Echec{*explication};
    const ReglesMots regles = ReglesDesMots(r);
    const qsizetype virgule = montant.indexOf(u',');
    // The words would say less than the figures.
    if (regles.sansCentimes && virgule >= 0) {
        const QStringView decimales = QStringView(montant).mid(virgule + 1);
        for (QChar c : decimales)
            if (c != u'0')
                return Echec{RaisonSansCentimes()};
    }
    const bool sansCentimesNuls = r.EcrireCent == 1;
    const ResultatMontant mots =
        MontantEnLettres(montant, r.Devise, r.Centimes, r.Liaison, sansCentimesNuls, regles);
    const QString unites = virgule < 0
                               ? mots.lettres
                               : MontantEnLettres(QStringView(montant).left(virgule), r.Devise,
                                                  r.Centimes, r.Liaison, false, regles)
                                     .lettres;
    const QString caption = CaptionDuMontant(mots.lettres, unites, r.Liaison, r.Encadrer == 1);
    if (montant.isEmpty()) {
        prepare.caption = caption;
        return prepare;
    }

    // The lines as the printer will have them, in its font and at its places.
    const qsizetype saut = caption.indexOf(u'*');
    const MotsADisposer aDisposer{montant, saut < 0 ? caption : caption.left(saut),
                                  saut < 0 ? QString() : caption.mid(saut + 1)};
    const PoliceMots police{r.Police, r.Gras == 1,
                            r.Taille > 0 ? double(r.Taille) : QFont().pointSizeF()};
    const PlaceMots place{r.MargeMLX + 50.0, double(r.MargeDLX)};
    const auto disposition = DisposerMots(aDisposer, police, place);
    if (!disposition)
        return Echec{disposition.raison()};
    prepare.caption = disposition->premiere;
    if (!disposition->seconde.isEmpty())
        prepare.caption += QLatin1Char('*') + disposition->seconde;
    prepare.tailleMots = disposition->taille;
    return prepare;
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

std::optional<QString> ExplicationMontant(QStringView montant) {
    if (montant.isEmpty())
        return std::nullopt;
    const auto lu = LireMontantExact(montant);
    const auto valeur = LireMontant(montant);
    if (montant.count(u',') > 1)
        return QStringLiteral("Montant non valide : un montant a une seule virgule au plus "
                              "(12,50).");
    if (!lu || !valeur)
        return QStringLiteral("Montant non valide : séparez les centimes par une virgule (12,50).");
    if (*valeur < 0)
        return QStringLiteral("Montant négatif");
    if (*valeur >= 1e12)
        return QStringLiteral("Montant trop grand (mille milliards ou plus)");
    // The words would read three decimals as cents (12,345 as "trois cent
    // quarante-cinq centimes") while the figures say otherwise.
    if (lu->decimales > 2)
        return QStringLiteral(
            "Montant non valide : deux chiffres au plus après la virgule (12,50).");
    return std::nullopt;
}

std::optional<QString> RefusMontant(const QString& montant) {
    if (montant.isEmpty())
        return QStringLiteral("Aucun texte n'est à imprimer !");
    // The words are the legal amount: nothing is printed that they cannot say.
    if (const auto explication = ExplicationMontant(montant))
        return QStringLiteral("Le montant « %1 » ne peut pas être écrit en lettres : aucun "
                              "chèque n'est imprimé !\n\n%2")
            .arg(montant, *explication);
    return std::nullopt;
}

std::optional<QString> AvecVirguleDecimale(const QString& montant) {
    const qsizetype point = montant.indexOf(u'.');
    if (point < 0 || montant.indexOf(u'.', point + 1) >= 0 || montant.contains(u',') ||
        montant.size() - point - 1 > 2)
        return std::nullopt;
    QString avecVirgule = montant;
    avecVirgule[point] = u',';
    if (!LireMontantExact(avecVirgule))
        return std::nullopt;
    return avecVirgule;
}

MontantNettoye NettoyerMontantTape(const QString& texte) {
    MontantNettoye nettoye{texte, false};
    // Each correction may bring another into play ("12.345 " loses its blank,
    // then a decimal): applied until the text stays as it is.
    for (;;) {
        QString suivant = EntreeSurUneLigne(nettoye.texte);
        if (suivant != nettoye.texte) {
            nettoye.curseurALaFin = true;
        } else if (const auto avecVirgule = AvecVirguleDecimale(suivant)) {
            suivant = *avecVirgule;
        } else if (suivant.endsWith(u' ') ||
                   (suivant.right(4).startsWith(u',') && suivant.count(u',') == 1)) {
            // A third decimal goes; a second comma is the user's to mend, told
            // and kept as typed.
            suivant.chop(1);
            nettoye.curseurALaFin = true;
        }
        if (suivant == nettoye.texte)
            return nettoye;
        nettoye.texte = suivant;
    }
}
