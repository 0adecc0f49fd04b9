#include "settings/Configuration.h"

#include "settings/Listes.h"
#include "settings/TriFrancais.h"
#include "words/MontantTexte.h"

#include <algorithm>
#include <cmath>

namespace {

std::int16_t Entier(const QString& texte) {
    const auto valeur = LireMontant(texte);
    return valeur
               ? static_cast<std::int16_t>(std::clamp(std::nearbyint(*valeur), -32768.0, 32767.0))
               : std::int16_t{0};
}

QString Raison(ChampConfiguration champ) {
    switch (champ) {
    case ChampConfiguration::Imprimante:
        return QStringLiteral("Vous n'avez pas fait le choix de l'imprimante !");
    case ChampConfiguration::Police:
        return QStringLiteral("Vous n'avez pas fait le choix de la police !");
    case ChampConfiguration::Taille:
        return QStringLiteral("Vous n'avez pas fait le choix de la taille de la police !");
    case ChampConfiguration::TailleChiffre:
        break;
    }
    return QStringLiteral("Fixez la taille de police du montant en chiffres !");
}

// The words' variant, spelling and fill line, as the window shows them.
void AppliquerFormeMots(Reglages& r, const ValeursConfiguration& v) {
    r.Variante = std::uint8_t(v.variante >= 0 && v.variante <= 2 ? v.variante : 0);
    r.Orthographe = v.orthographe == 1 ? 1 : 0;
    r.CompleterLigne = v.completerLigne;
}

} // namespace

std::optional<ChampConfiguration> ChoixManquant(const ValeursConfiguration& v) {
    if (v.imprimante.isEmpty())
        return ChampConfiguration::Imprimante;
    if (v.police.isEmpty())
        return ChampConfiguration::Police;
    if (v.taille.isEmpty())
        return ChampConfiguration::Taille;
    return std::nullopt;
}

std::optional<ChampConfiguration> ChampRefuse(const ValeursConfiguration& v) {
    if (auto champ = ChoixManquant(v))
        return champ;
    if ((v.tailleChiffreMinimum || v.tailleChiffreFixe) && !v.tailleChiffre)
        return ChampConfiguration::TailleChiffre;
    return std::nullopt;
}

Resultat<Reglages> ReglagesDeConfiguration(const Reglages& base, const ValeursConfiguration& v) {
    if (const auto champ = ChampRefuse(v))
        return Echec{Raison(*champ)};

    Reglages r = base;
    r.Imprimante = v.imprimante;
    r.Orientation = v.portrait ? 1 : 2;
    r.Police = v.police;
    r.Taille = Entier(v.taille);
    r.Gras = v.gras;
    r.Minimise = v.minimise;
    r.Emission = v.ignorerLieu;
    r.Journal = v.journal;
    r.Debiteur = v.debiteur;
    r.Encadrer = v.encadrer;
    r.Revenir = v.revenir;
    r.RevenirDest = v.revenirDest;
    r.EcrireCent = v.sansCentimesNuls;
    if (v.tailleChiffreMinimum || v.tailleChiffreFixe) {
        r.TailleChiffre = Entier(*v.tailleChiffre);
        r.ChoixTailleChiffre = v.tailleChiffreMinimum ? 1 : 2;
    } else {
        r.TailleChiffre = r.Taille;
        r.ChoixTailleChiffre = 0;
    }
    // The default amount is kept as the amount box shows amounts.
    r.Montant = EntreeSurUneLigne(v.montant).replace(u'.', u',');
    if (!r.Montant.isEmpty() && !r.Montant.contains(u','))
        r.Montant += QStringLiteral(",00");
    r.Ledestinataire = EntreeSurUneLigne(v.destinataire);
    AppliquerFormeMots(r, v);
    return r;
}

Reglages ReglagesAffiches(const Reglages& enCours, const ValeursConfiguration& v) {
    Reglages r = enCours;
    auto entier = [](const QString& texte, std::int16_t sinon) {
        bool ok = false;
        const int n = texte.trimmed().toInt(&ok);
        return ok && n > 0 && n < 1000 ? static_cast<std::int16_t>(n) : sinon;
    };
    r.Imprimante = v.imprimante;
    r.Orientation = v.portrait ? 1 : 2;
    if (!v.police.isEmpty())
        r.Police = v.police;
    r.Taille = entier(v.taille, r.Taille);
    r.Gras = v.gras;
    if ((v.tailleChiffreMinimum || v.tailleChiffreFixe) && v.tailleChiffre) {
        r.TailleChiffre = entier(*v.tailleChiffre, r.TailleChiffre);
        r.ChoixTailleChiffre = v.tailleChiffreMinimum ? 1 : 2;
    } else if (!v.tailleChiffreMinimum && !v.tailleChiffreFixe) {
        r.ChoixTailleChiffre = 0;
    }
    AppliquerFormeMots(r, v);
    return r;
}

int DeviseProposeeDe(const Reglages& r) {
    for (int i = 0; i < int(std::size(DevisesProposees)); ++i) {
        const DeviseProposee& d = DevisesProposees[i];
        if (r.Devise == QStringView(d.devise) && r.Centimes == QStringView(d.centimes) &&
            (r.SansCentimes == 1) == d.sansCentimes)
            return i;
    }
    return -1;
}

void AppliquerDeviseProposee(Reglages& r, int index) {
    if (index < 0 || index >= int(std::size(DevisesProposees)))
        return;
    const DeviseProposee& d = DevisesProposees[index];
    r.Devise = QString::fromUtf16(d.devise);
    r.Centimes = QString::fromUtf16(d.centimes);
    r.SansCentimes = d.sansCentimes;
}

QString MotDeDevise(const QString& saisie, bool singulier) {
    // A pasted line break would split the words on the cheque and a line of
    // Cheque.ini; blanks around a word would double the blanks around it.
    QString mot = EntreeSurUneLigne(saisie).trimmed();
    if (singulier && mot.endsWith(u's'))
        mot.chop(1);
    return mot;
}

BoitesCheque BoitesAEnregistrer(BoitesCheque b, const Reglages* r) {
    b.montant = EntreeSurUneLigne(b.montant);
    b.destinataire = EntreeSurUneLigne(b.destinataire);
    b.lieu = EntreeSurUneLigne(b.lieu);
    // What printing refuses is not remembered either: Cheque.ini keeps text.
    for (QString* texte : {&b.montant, &b.destinataire, &b.lieu})
        if (CaractereDeControle(*texte))
            texte->clear();
    if (r) {
        RetenirTrie(b.listes.montants, r->Montant);
        RetenirTrie(b.listes.destinataires, r->Ledestinataire);
        if (!b.montant.isEmpty() && !b.montant.contains(u',') && r->EcrireCent == 0)
            b.montant += QStringLiteral(",00");
        if (r->Emission == 1)
            b.lieu.clear();
        else if (!b.listes.lieux.isEmpty())
            b.lieu = b.listes.lieux.first();
    }
    RetenirTrie(b.listes.montants, b.montant);
    RetenirTrie(b.listes.destinataires, b.destinataire);
    RetenirTrie(b.listes.lieux, b.lieu);
    return b;
}
