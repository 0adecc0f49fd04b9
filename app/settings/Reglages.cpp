#include "settings/Reglages.h"

#include "settings/FichierIni.h"

#include <array>
#include <limits>
#include <variant>

namespace {

using ChampTexte = QString Reglages::*;
using Champ16 = std::int16_t Reglages::*;
using ChampOctet = std::uint8_t Reglages::*;

struct Cle {
    const char16_t* nom;
    std::variant<ChampTexte, Champ16, ChampOctet> champ;
};

// In the order in which a section is first written.
const std::array<Cle, 34> kCles = {{
    {u"Imprimante", &Reglages::Imprimante},
    {u"Orientation", &Reglages::Orientation},
    {u"Police", &Reglages::Police},
    {u"Taille", &Reglages::Taille},
    {u"TailleChiffre", &Reglages::TailleChiffre},
    {u"ChoixTailleChiffre", &Reglages::ChoixTailleChiffre},
    {u"Gras", &Reglages::Gras},
    {u"MargeHaute", &Reglages::MargeHaute},
    {u"MargeDroite", &Reglages::MargeDroite},
    {u"Montant", &Reglages::Montant},
    {u"Ledestinataire", &Reglages::Ledestinataire},
    {u"Raccourci", &Reglages::Raccourci},
    {u"Minimise", &Reglages::Minimise},
    {u"Emission", &Reglages::Emission},
    {u"MargeMX", &Reglages::MargeMX},
    {u"MargeMLX", &Reglages::MargeMLX},
    {u"MargeMLY", &Reglages::MargeMLY},
    {u"MargeMY", &Reglages::MargeMY},
    {u"MargeDEX", &Reglages::MargeDEX},
    {u"MargeDEY", &Reglages::MargeDEY},
    {u"MargeDAX", &Reglages::MargeDAX},
    {u"MargeDAY", &Reglages::MargeDAY},
    {u"MargeLIX", &Reglages::MargeLIX},
    {u"MargeLIY", &Reglages::MargeLIY},
    {u"MargeDLX", &Reglages::MargeDLX},
    {u"Journal", &Reglages::Journal},
    {u"Débiteur", &Reglages::Debiteur},
    {u"Encadrer", &Reglages::Encadrer},
    {u"Revenir", &Reglages::Revenir},
    {u"RevenirDest", &Reglages::RevenirDest},
    {u"Devise", &Reglages::Devise},
    {u"Centimes", &Reglages::Centimes},
    {u"Liaison", &Reglages::Liaison},
    {u"EcrireCent", &Reglages::EcrireCent},
}};

// Keys added after the first files were written, each with its largest value.
// Missing, they mean 0 (the words as they always were), whatever the choice
// read before held.
struct CleAjoutee {
    const char16_t* nom;
    ChampOctet champ;
    std::uint8_t plusGrand;
};
const std::array<CleAjoutee, 4> kClesAjoutees = {{
    {u"Variante", &Reglages::Variante, 2},
    {u"Orthographe", &Reglages::Orthographe, 1},
    {u"SansCentimes", &Reglages::SansCentimes, 1},
    {u"CompleterLigne", &Reglages::CompleterLigne, 1},
}};

// A whole number with an optional sign and nothing else; anything else keeps
// the field's value.
template <typename T> void LireEntier(const QString& texte, T& champ) {
    const QString t = texte.trimmed();
    qsizetype i = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0;
    if (i == t.size() || t.size() > 12)
        return;
    qlonglong v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return;
        v = v * 10 + (t[i].unicode() - u'0');
    }
    if (t.startsWith(u'-'))
        v = -v;
    if (v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max())
        champ = static_cast<T>(v);
}

} // namespace

QString SectionDuChoix(int choix) {
    if (choix == 1 || choix == 2)
        return QStringLiteral("Defaut%1").arg(choix);
    return {};
}

void LireReglages(const DocumentIni& doc, QStringView section, Reglages& r) {
    for (const Cle& cle : kCles) {
        const QString texte = doc.valeur(section, QStringView(cle.nom));
        std::visit(
            [&](auto champ) {
                using T = std::remove_reference_t<decltype(r.*champ)>;
                if constexpr (std::is_same_v<T, QString>)
                    r.*champ = texte;
                else
                    LireEntier(texte, r.*champ);
            },
            cle.champ);
    }
    for (const CleAjoutee& cle : kClesAjoutees) {
        std::uint8_t valeur = 0;
        LireEntier(doc.valeur(section, QStringView(cle.nom)), valeur);
        r.*cle.champ = valeur <= cle.plusGrand ? valeur : 0;
    }
}

QString TexteNombreIni(int valeur) {
    return valeur < 0 ? QString::number(valeur) : QLatin1Char(' ') + QString::number(valeur);
}

void EcrireReglages(DocumentIni& doc, QStringView section, const Reglages& r) {
    for (const Cle& cle : kCles) {
        std::visit(
            [&](auto champ) {
                using T = std::remove_cvref_t<decltype(r.*champ)>;
                if constexpr (std::is_same_v<T, QString>)
                    doc.ecrire(section, QStringView(cle.nom), r.*champ);
                else
                    doc.ecrire(section, QStringView(cle.nom), TexteNombreIni(r.*champ));
            },
            cle.champ);
    }
    for (const CleAjoutee& cle : kClesAjoutees)
        doc.ecrire(section, QStringView(cle.nom), TexteNombreIni(r.*cle.champ));
}

void AppliquerDevisesParDefaut(Reglages& r) {
    if (r.Devise.isEmpty())
        r.Devise = QStringLiteral("euro");
    if (r.Centimes.isEmpty())
        r.Centimes = QStringLiteral("centime");
    if (r.Liaison.isEmpty())
        r.Liaison = QStringLiteral("et");
}

void AppliquerReglagesInitiaux(Reglages& r) {
    r.Police = QStringLiteral("Arial");
    r.Taille = 8;
    AppliquerDevisesParDefaut(r);
}

QString MarqueGras(const Reglages& r) {
    return r.Gras == 1 ? QStringLiteral("G") : QString();
}

int IndexTouche(int raccourci) {
    for (std::size_t i = 0; i < TouchesRaccourci.size(); ++i)
        if (TouchesRaccourci[i].code == raccourci)
            return static_cast<int>(i);
    return -1;
}

QString NomTouche(int raccourci) {
    const int i = IndexTouche(raccourci);
    if (i < 0)
        return {};
    return QString::number(i) + QLatin1String(TouchesRaccourci[i].nom);
}

int NombreDeClesReglages() {
    return static_cast<int>(kCles.size() + kClesAjoutees.size());
}
