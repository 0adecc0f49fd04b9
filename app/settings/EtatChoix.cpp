#include "settings/EtatChoix.h"

#include "settings/FichierIni.h"
#include "settings/Reglages.h"

#include <QFile>

namespace {

// A whole number written in decimal digits, blanks around allowed.
std::optional<int> Entier(const QByteArray& texte) {
    const QByteArray t = texte.trimmed();
    if (t.isEmpty() || t.size() > 6)
        return std::nullopt;
    int valeur = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return std::nullopt;
        valeur = valeur * 10 + (c - '0');
    }
    return valeur;
}

} // namespace

std::optional<ValeursChoix> AnalyserChoixCfg(const QByteArray& contenu) {
    qsizetype fin = contenu.indexOf('\n');
    const QByteArray ligne = (fin < 0 ? contenu : contenu.left(fin)).trimmed();
    const QList<QByteArray> parties = ligne.split(',');
    if (parties.size() != 2)
        return std::nullopt;
    const auto courant = Entier(parties[0]);
    const auto enregistres = Entier(parties[1]);
    if (!courant || !enregistres || *courant > 2 || *enregistres > 3)
        return std::nullopt;
    return ValeursChoix{static_cast<std::uint8_t>(*courant),
                        static_cast<std::uint8_t>(*enregistres)};
}

std::optional<ValeursChoix> LireChoixCfg(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One short line is all there is to read; a huge file is not ours.
    return AnalyserChoixCfg(fichier.read(4096));
}

QByteArray TexteChoixCfg(ValeursChoix valeurs) {
    return QByteArray::number(valeurs.courant) + ',' + QByteArray::number(valeurs.enregistres) +
           "\r\n";
}

Resultat<> EcrireChoixCfg(const QString& chemin, ValeursChoix valeurs) {
    return EcrireFichierAtomique(chemin, TexteChoixCfg(valeurs));
}

std::optional<ValeursChoix> ChoixDApresSections(const DocumentIni& cheque) {
    const bool present[2] = {TrouverSection(cheque.lignes(), SectionDuChoix(1)) >= 0,
                             TrouverSection(cheque.lignes(), SectionDuChoix(2)) >= 0};
    if (!present[0] && !present[1])
        return std::nullopt;
    return ValeursChoix{static_cast<std::uint8_t>(present[0] ? 1 : 2),
                        static_cast<std::uint8_t>((present[0] ? 1 : 0) | (present[1] ? 2 : 0))};
}

bool RelireChoixCfg(EtatChoix& etat, const QString& chemin) {
    const auto valeurs = LireChoixCfg(chemin);
    if (!valeurs) {
        etat.ChoixCourant = 0;
        return false;
    }
    etat.ChoixCourant = valeurs->courant;
    etat.ChoixEnregistres = valeurs->enregistres;
    return true;
}

void MarquerChoixEnregistre(EtatChoix& etat) {
    if (etat.ChoixEnregistres == 0)
        etat.ChoixEnregistres = etat.ChoixCourant;
    else if (etat.ChoixEnregistres != etat.ChoixCourant)
        etat.ChoixEnregistres = 3;
}

bool ChoixEnQuittantConfiguration(EtatChoix& etat) {
    if (etat.ChoixEnregistres == 1)
        etat.ChoixCourant = 1;
    else if (etat.ChoixEnregistres == 2)
        etat.ChoixCourant = 2;
    return etat.ChoixEnregistres != 0;
}
