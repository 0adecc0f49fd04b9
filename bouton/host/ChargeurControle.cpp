#include "bouton/hote/ChargeurControle.h"

#include "RegistreClasses.h"
#include "bouton/Exports.h"
#include "bouton/FabriqueClasse.h"
#include "bouton/Identites.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace bouton::hote {

namespace {

template <typename T> std::optional<T> echec(Resultat* erreur, Resultat r) {
    if (erreur)
        *erreur = std::move(r);
    return std::nullopt;
}

QString natif(const QString& chemin) {
    return QDir::toNativeSeparators(chemin);
}

// Loads the library and finds one of its exports. The library stays loaded for the rest of
// the run: controls made from it may live until the end.
template <typename Fonction>
std::optional<Fonction> exportDe(const QString& chemin, const char* nom, Resultat* erreur) {
    QLibrary bibliotheque(chemin);
    if (!bibliotheque.load())
        return echec<Fonction>(
            erreur,
            Resultat::erreur(code::Echec, QStringLiteral("La bibliothèque « %1 » ne peut pas "
                                                         "être chargée : %2")
                                              .arg(natif(chemin), bibliotheque.errorString())));
    auto fonction = reinterpret_cast<Fonction>(bibliotheque.resolve(nom));
    if (!fonction)
        return echec<Fonction>(
            erreur,
            Resultat::erreur(code::Echec, QStringLiteral("La bibliothèque « %1 » n'a pas de point "
                                                         "d'entrée %2.")
                                              .arg(natif(chemin), QLatin1String(nom))));
    return fonction;
}

Resultat appelerEnregistrement(const QString& chemin, const char* nom) {
    Resultat erreur;
    auto fonction = exportDe<FnDllRegisterServer>(chemin, nom, &erreur);
    if (!fonction)
        return erreur;
    const int32_t r = (*fonction)();
    if (r < 0)
        return Resultat::erreur(r, QStringLiteral("%1 a échoué pour « %2 » (code 0x%3).")
                                       .arg(QLatin1String(nom), natif(chemin))
                                       .arg(uint32_t(r), 8, 16, QLatin1Char('0')));
    return Resultat::ok();
}

// Asks the class's library for its factory and the factory for an instance of interface iid.
std::optional<void*> creerParClasse(const registre::ClasseEnregistree& classe, const QString& nom,
                                    QWidget* parent, const QUuid& iid, Resultat* erreur) {
    Resultat r;
    if (!QFileInfo(classe.bibliotheque).isFile())
        return echec<void*>(
            erreur, Resultat::erreur(code::ClasseNonEnregistree,
                                     QStringLiteral("La bibliothèque « %1 » de la classe « %2 » "
                                                    "est introuvable.")
                                         .arg(natif(classe.bibliotheque), nom)));
    auto obtenir = exportDe<FnDllGetClassObject>(classe.bibliotheque, "DllGetClassObject", &r);
    if (!obtenir)
        return echec<void*>(erreur, r);

    void* objet = nullptr;
    int32_t c = (*obtenir)(&classe.clsid, &IidFabriqueClasse, &objet);
    if (c < 0 || !objet)
        return echec<void*>(
            erreur, Resultat::erreur(c < 0 ? c : code::Echec,
                                     QStringLiteral("La bibliothèque « %1 » ne fournit pas la "
                                                    "classe « %2 » (code 0x%3).")
                                         .arg(natif(classe.bibliotheque), nom)
                                         .arg(uint32_t(c), 8, 16, QLatin1Char('0'))));
    auto* fabrique = static_cast<FabriqueClasse*>(objet);
    objet = nullptr;
    c = fabrique->creerInstance(parent, iid, &objet);
    fabrique->liberer();
    if (c < 0 || !objet)
        return echec<void*>(erreur,
                            Resultat::erreur(c < 0 ? c : code::Echec,
                                             QStringLiteral("« %1 » n'a pas pu être créé "
                                                            "(code 0x%2).")
                                                 .arg(nom)
                                                 .arg(uint32_t(c), 8, 16, QLatin1Char('0'))));
    return objet;
}

} // namespace

std::optional<ControleCharge> CreerControle(const QString& progId, QWidget* parent, SiteHote* site,
                                            Resultat* erreur) {
    Resultat r;
    auto classe = registre::trouverParProgId(registre::cheminRegistre(), progId, &r);
    if (!classe)
        return echec<ControleCharge>(erreur, r);
    auto objet = creerParClasse(*classe, progId, parent, IidControle, erreur);
    if (!objet)
        return std::nullopt;
    auto* controle = static_cast<Controle*>(*objet);
    controle->definirSite(site);
    return ControleCharge{controle->widget(), controle, controle};
}

std::optional<PageProprietes*> CreerPageProprietes(const QUuid& clsid, QWidget* parent,
                                                   Resultat* erreur) {
    Resultat r;
    auto registre = registre::lire(registre::cheminRegistre(), &r);
    if (!registre)
        return echec<PageProprietes*>(erreur, r);
    const QString section = registre::sectionClasse(clsid);
    const QString nom = clsid.toString(QUuid::WithBraces).toUpper();
    for (const registre::Section& s : *registre) {
        if (s.nom.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        auto objet = creerParClasse({clsid, s.valeur(QStringLiteral("Bibliotheque"))}, nom, parent,
                                    IidPageProprietes, erreur);
        if (!objet)
            return std::nullopt;
        return static_cast<PageProprietes*>(*objet);
    }
    return echec<PageProprietes*>(
        erreur, Resultat::erreur(code::ClasseNonEnregistree,
                                 QStringLiteral("La classe %1 n'est pas enregistrée.").arg(nom)));
}

std::optional<ControleCharge> CreerControleOuEnregistrer(const QString& progId, QWidget* parent,
                                                         SiteHote* site,
                                                         const QString& bibliotheque,
                                                         Resultat* erreur) {
    Resultat r;
    auto charge = CreerControle(progId, parent, site, &r);
    if (charge || r.code != code::ClasseNonEnregistree || !QFileInfo(bibliotheque).isFile())
        return charge ? charge : echec<ControleCharge>(erreur, r);
    if (Resultat e = EnregistrerBibliotheque(bibliotheque); !e.reussi())
        return echec<ControleCharge>(erreur, e);
    return CreerControle(progId, parent, site, erreur);
}

Resultat EnregistrerBibliotheque(const QString& chemin) {
    return appelerEnregistrement(chemin, "DllRegisterServer");
}

Resultat DesenregistrerBibliotheque(const QString& chemin) {
    return appelerEnregistrement(chemin, "DllUnregisterServer");
}

QString BibliothequeVoisine() {
#if defined(Q_OS_WIN)
    const QString nom = QStringLiteral("BoutonKiv_W9x.dll");
#elif defined(Q_OS_MACOS)
    const QString nom = QStringLiteral("libBoutonKiv_W9x.dylib");
#else
    const QString nom = QStringLiteral("libBoutonKiv_W9x.so");
#endif
    return QCoreApplication::applicationDirPath() + u'/' + nom;
}

} // namespace bouton::hote
