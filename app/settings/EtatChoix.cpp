#include "EtatChoix.h"

#include "FichierIni.h"

#include <QFile>

std::optional<ValeursChoix> AnalyserChoixCfg(const QByteArray& contenu) {
    qsizetype fin = contenu.indexOf('\n');
    const QByteArray ligne = (fin < 0 ? contenu : contenu.left(fin)).trimmed();
    const QList<QByteArray> parties = ligne.split(',');
    if (parties.size() != 2)
        return std::nullopt;
    bool ok1 = false, ok2 = false;
    const int courant = parties[0].trimmed().toInt(&ok1);
    const int enregistres = parties[1].trimmed().toInt(&ok2);
    if (!ok1 || !ok2 || courant < 0 || courant > 2 || enregistres < 0 || enregistres > 3)
        return std::nullopt;
    return ValeursChoix{static_cast<std::uint8_t>(courant),
                        static_cast<std::uint8_t>(enregistres)};
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

bool EcrireChoixCfg(const QString& chemin, ValeursChoix valeurs, QString* erreur) {
    return EcrireFichierAtomique(chemin, TexteChoixCfg(valeurs), erreur);
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
