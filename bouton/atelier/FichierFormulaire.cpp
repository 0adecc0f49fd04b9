#include "FichierFormulaire.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace atelier {

namespace {

constexpr char Signature[] = "BoutonKiv-Formulaire";
constexpr qint32 VersionFormat = 1;
// Far above any real form; a larger count means a damaged file.
constexpr qint32 MaxControles = 10000;
constexpr qint32 MaxProprietes = 1000;

bouton::Resultat erreur(const QString& texte) {
    return bouton::Resultat::erreur(bouton::code::Echec, texte);
}

} // namespace

bouton::Resultat EcrireFormulaire(const QString& chemin, const QList<ControleEnregistre>& form) {
    const QString nom = QDir::toNativeSeparators(chemin);
    // Unbuffered, so that a full disk shows in the stream's status before the file replaces
    // the previous one.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return erreur(QStringLiteral("Le formulaire « %1 » ne peut pas être écrit : %2")
                          .arg(nom, fichier.errorString()));
    QDataStream flux(&fichier);
    flux.setVersion(QDataStream::Qt_6_4);
    flux << QByteArray(Signature) << VersionFormat << qint32(form.size());
    for (const ControleEnregistre& c : form) {
        flux << c.nom << c.position << c.tailleTwips << qint32(c.proprietes.size());
        for (const auto& p : c.proprietes)
            flux << p.cle << p.valeur;
    }
    if (flux.status() != QDataStream::Ok || !fichier.commit())
        return erreur(QStringLiteral("Le formulaire « %1 » n'a pas pu être écrit : %2")
                          .arg(nom, fichier.errorString()));
    return bouton::Resultat::ok();
}

std::optional<QList<ControleEnregistre>> LireFormulaire(const QString& chemin,
                                                        bouton::Resultat* resultat) {
    const QString nom = QDir::toNativeSeparators(chemin);
    auto echec = [&](const QString& texte) {
        if (resultat)
            *resultat = erreur(texte);
        return std::nullopt;
    };
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return echec(QStringLiteral("Le formulaire « %1 » ne peut pas être lu : %2")
                         .arg(nom, fichier.errorString()));
    QDataStream flux(&fichier);
    flux.setVersion(QDataStream::Qt_6_4);
    QByteArray signature;
    qint32 version = 0, nombre = 0;
    flux >> signature >> version >> nombre;
    if (signature != Signature || version != VersionFormat)
        return echec(QStringLiteral("« %1 » n'est pas un formulaire BoutonKiv.").arg(nom));
    QList<ControleEnregistre> form;
    for (qint32 i = 0; flux.status() == QDataStream::Ok && i < nombre && nombre <= MaxControles;
         ++i) {
        ControleEnregistre c;
        qint32 proprietes = 0;
        flux >> c.nom >> c.position >> c.tailleTwips >> proprietes;
        if (proprietes < 0 || proprietes > MaxProprietes)
            break;
        for (qint32 j = 0; flux.status() == QDataStream::Ok && j < proprietes; ++j) {
            bouton::hote::SacMemoire::Entree e;
            flux >> e.cle >> e.valeur;
            c.proprietes.append(e);
        }
        form.append(c);
    }
    if (flux.status() != QDataStream::Ok || form.size() != nombre || !flux.atEnd())
        return echec(QStringLiteral("Le formulaire « %1 » est endommagé.").arg(nom));
    return form;
}

} // namespace atelier
