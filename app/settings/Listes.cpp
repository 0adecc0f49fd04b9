#include "settings/Listes.h"

#include "settings/FichierIni.h"

#include <algorithm>

GenreLigne GenreDeLigne(QStringView ligne) {
    if (ligne.startsWith(u"Mt"))
        return GenreLigne::Montant;
    if (ligne.startsWith(u"Dest"))
        return GenreLigne::Destinataire;
    if (ligne.startsWith(u"Lieu"))
        return GenreLigne::Lieu;
    return GenreLigne::Aucune;
}

QString TexteEntree(QStringView ligne) {
    const qsizetype egal = ligne.indexOf(u'=');
    return (egal < 0 ? ligne : ligne.mid(egal + 1)).toString();
}

ListesMemorisees ScannerListes(const QStringList& lignes) {
    ListesMemorisees listes;
    for (const QString& ligne : lignes) {
        switch (GenreDeLigne(ligne)) {
        case GenreLigne::Montant:
            listes.montants.append(TexteEntree(ligne));
            break;
        case GenreLigne::Destinataire:
            listes.destinataires.append(TexteEntree(ligne));
            break;
        case GenreLigne::Lieu:
            listes.lieux.append(TexteEntree(ligne));
            break;
        case GenreLigne::Aucune:
            break;
        }
    }
    return listes;
}

QStringList PurgerListes(const QStringList& lignes) {
    QStringList restant;
    restant.reserve(lignes.size());
    for (const QString& ligne : lignes)
        if (GenreDeLigne(ligne) == GenreLigne::Aucune)
            restant.append(ligne);
    return restant;
}

QString EntreeSurUneLigne(QString texte) {
    const auto saut = [](QChar c) {
        return c == u'\r' || c == u'\n' || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    };
    if (std::none_of(texte.cbegin(), texte.cend(), saut))
        return texte; // the usual case: no copy
    for (QChar& c : texte)
        if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return texte;
}

namespace {

// Puts the keys of one list at the end of its section (adding the section at
// the end of the file when it is missing).
void EcrireUneListe(QStringList& lignes, QStringView section, QStringView prefixe,
                    const QStringList& entrees) {
    const qsizetype debut = TrouverSection(lignes, section);
    if (debut < 0 && entrees.isEmpty())
        return;
    QStringList cles;
    cles.reserve(entrees.size());
    for (qsizetype i = 0; i < entrees.size(); ++i) {
        const QString numero = QString::number(i);
        QString cle;
        cle.reserve(prefixe.size() + numero.size() + 1 + entrees[i].size());
        cle.append(prefixe).append(numero).append(u'=').append(EntreeSurUneLigne(entrees[i]));
        cles.append(std::move(cle));
    }
    if (debut < 0) {
        lignes.append(QLatin1Char('[') + section.toString() + QLatin1Char(']'));
        lignes.append(cles);
        return;
    }
    const qsizetype derniere = FinDeSection(lignes, debut);
    QStringList resultat;
    resultat.reserve(lignes.size() + cles.size());
    resultat.append(lignes.mid(0, derniere + 1));
    resultat.append(cles);
    resultat.append(lignes.mid(derniere + 1));
    lignes = std::move(resultat);
}

} // namespace

void EcrireListes(QStringList& lignes, const ListesMemorisees& listes) {
    lignes = PurgerListes(lignes);
    EcrireUneListe(lignes, u"Montants", u"Mt", listes.montants);
    EcrireUneListe(lignes, u"Destinataires", u"Dest", listes.destinataires);
    EcrireUneListe(lignes, u"Lieu", u"Lieu", listes.lieux);
}

QStringList ConvertirLignesAnciennes(QStringList lignes) {
    for (QString& ligne : lignes)
        if (ligne == QLatin1String("[Defaut]"))
            ligne = QStringLiteral("[Defaut1]");
    return lignes;
}

std::optional<char16_t> CaractereDeControle(QStringView texte) {
    for (const QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            return u;
    }
    return std::nullopt;
}
