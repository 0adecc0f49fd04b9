#include "settings/FichierIni.h"

#include "settings/Cp1252.h"
#include "settings/Listes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

struct LigneCle {
    QStringView cle;
    QStringView valeur;
};

// A "Key=Value" line; comments and lines without "=" hold no key.
std::optional<LigneCle> LireLigneCle(QStringView ligne) {
    const QStringView t = ligne.trimmed();
    if (t.isEmpty() || t.front() == u';')
        return std::nullopt;
    const qsizetype egal = t.indexOf(u'=');
    if (egal <= 0)
        return std::nullopt;
    return LigneCle{t.left(egal).trimmed(), t.mid(egal + 1).trimmed()};
}

bool MemeNom(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QStringView NomDeSection(QStringView ligne) {
    const QStringView t = ligne.trimmed();
    if (t.isEmpty() || t.front() != u'[')
        return {};
    const qsizetype fin = t.indexOf(u']');
    if (fin < 0)
        return {};
    const QStringView nom = t.mid(1, fin - 1).trimmed();
    return nom.isNull() ? QStringView(u"") : nom;
}

qsizetype TrouverSection(const QStringList& lignes, QStringView section) {
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QStringView nom = NomDeSection(lignes[i]);
        if (!nom.isNull() && MemeNom(nom, section))
            return i;
    }
    return -1;
}

qsizetype FinDeSection(const QStringList& lignes, qsizetype debut) {
    qsizetype derniere = debut;
    for (qsizetype i = debut + 1; i < lignes.size(); ++i) {
        if (!NomDeSection(lignes[i]).isNull())
            break;
        if (!lignes[i].trimmed().isEmpty())
            derniere = i;
    }
    return derniere;
}

namespace {

// A file saved by a text editor may start with a UTF-8 byte-order mark: its
// text is then UTF-8, and the mark must not become part of the first line
// (it would hide the section that line opens).
QString DecoderTexte(const QByteArray& octets) {
    static constexpr char kMarque[] = "\xEF\xBB\xBF";
    QByteArrayView reste = octets;
    while (reste.startsWith(kMarque))
        reste = reste.sliced(3);
    if (reste.size() == octets.size())
        return DecoderCp1252(octets);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texte = utf8(reste);
    if (utf8.hasError())
        return DecoderCp1252(reste.toByteArray());
    // Those three characters, written in the code page, would read as a mark.
    while (texte.startsWith(QStringView(u"\u00EF\u00BB\u00BF")))
        texte.remove(0, 3);
    return texte;
}

} // namespace

DocumentIni DocumentIni::DepuisOctets(const QByteArray& octets) {
    QStringList lignes;
    const QString texte = DecoderTexte(octets);
    qsizetype debut = 0;
    while (debut < texte.size()) {
        qsizetype fin = texte.indexOf(u'\n', debut);
        if (fin < 0)
            fin = texte.size();
        qsizetype finUtile = fin;
        if (finUtile > debut && texte[finUtile - 1] == u'\r')
            --finUtile;
        lignes.append(texte.mid(debut, finUtile - debut));
        debut = fin + 1;
    }
    DocumentIni doc(std::move(lignes));
    doc.existe_ = true;
    return doc;
}

DocumentIni DocumentIni::Charger(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        DocumentIni vide;
        vide.lisible_ = !QFileInfo::exists(chemin);
        return vide;
    }
    return DepuisOctets(fichier.readAll());
}

QString DocumentIni::valeur(QStringView section, QStringView cle, bool* trouvee) const {
    if (trouvee)
        *trouvee = false;
    const qsizetype debut = TrouverSection(lignes_, section);
    if (debut < 0)
        return {};
    for (qsizetype i = debut + 1; i < lignes_.size(); ++i) {
        if (!NomDeSection(lignes_[i]).isNull())
            break;
        const auto lc = LireLigneCle(lignes_[i]);
        if (lc && MemeNom(lc->cle, cle)) {
            if (trouvee)
                *trouvee = true;
            return lc->valeur.toString();
        }
    }
    return {};
}

void DocumentIni::ecrire(QStringView section, QStringView cle, QStringView valeurDonnee) {
    // A value is one line of the file, whatever it was given.
    const QString valeur = EntreeSurUneLigne(valeurDonnee.toString());
    const qsizetype debut = TrouverSection(lignes_, section);
    if (debut < 0) {
        lignes_.append(QLatin1Char('[') + section.toString() + QLatin1Char(']'));
        lignes_.append(cle.toString() + QLatin1Char('=') + valeur);
        return;
    }
    for (qsizetype i = debut + 1; i < lignes_.size(); ++i) {
        if (!NomDeSection(lignes_[i]).isNull())
            break;
        const auto lc = LireLigneCle(lignes_[i]);
        if (lc && MemeNom(lc->cle, cle)) {
            lignes_[i] = lc->cle.toString() + QLatin1Char('=') + valeur;
            return;
        }
    }
    lignes_.insert(FinDeSection(lignes_, debut) + 1, cle.toString() + QLatin1Char('=') + valeur);
}

QByteArray DocumentIni::versOctets() const {
    qsizetype taille = 0;
    for (const QString& l : lignes_)
        taille += l.size() + 2;
    QByteArray octets(taille, Qt::Uninitialized);
    char* sortie = octets.data();
    for (const QString& l : lignes_) {
        sortie = EncoderCp1252Dans(l, sortie);
        *sortie++ = '\r';
        *sortie++ = '\n';
    }
    return octets;
}

Resultat<> DocumentIni::enregistrer(const QString& chemin) const {
    return EcrireFichierAtomique(chemin, versOctets());
}

QString LireIni(const QString& section, const QString& cle, const QString& fichier) {
    return DocumentIni::Charger(fichier).valeur(section, cle);
}

Echec EchecLecture(const QString& chemin) {
    return {
        QStringLiteral("Impossible de lire le fichier %1.").arg(QDir::toNativeSeparators(chemin))};
}

Resultat<> EcrireIni(const QString& section, const QString& cle, const QString& valeur,
                     const QString& fichier) {
    DocumentIni doc = DocumentIni::Charger(fichier);
    if (!doc.lisible())
        return EchecLecture(fichier);
    doc.ecrire(section, cle, valeur);
    return doc.enregistrer(fichier);
}
