#include "bouton/Exports.h"

#include "BoutonKivW9x.h"
#include "PropertyPage1.h"
#include "RegistreClasses.h"
#include "bouton/FabriqueClasse.h"
#include "bouton/Identites.h"
#include <QApplication>
#include <QFileInfo>
#include <atomic>

#if defined(Q_OS_WIN)
// Lean: the full header declares COM's own DllGetClassObject, which this library
// exports with its own signature.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace bouton {

namespace {

std::atomic<int> fabriques{0};
std::atomic<int> verrous{0};

// The factory of one class: the control or its property page.
class FabriqueBouton final : public FabriqueClasse {
public:
    explicit FabriqueBouton(const QUuid& clsid) : clsid_(clsid) { ++fabriques; }
    ~FabriqueBouton() { --fabriques; }

    int32_t interroger(const QUuid& iid, void** objet) override {
        if (!objet)
            return code::PointeurInvalide;
        *objet = nullptr;
        if (iid != IidInconnu && iid != IidFabriqueClasse)
            return code::InterfaceInconnue;
        *objet = static_cast<FabriqueClasse*>(this);
        ajouterRef();
        return code::Ok;
    }
    uint32_t ajouterRef() override { return ++references_; }
    uint32_t liberer() override {
        const uint32_t restantes = --references_;
        if (restantes == 0)
            delete this;
        return restantes;
    }

    int32_t creerInstance(QWidget* parent, const QUuid& iid, void** objet) override {
        if (!objet)
            return code::PointeurInvalide;
        *objet = nullptr;
        // A widget needs the GUI application object; without it, say so rather than abort.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return code::Echec;
        if (clsid_ == ClsidPageProprietes) {
            if (iid != IidPageProprietes)
                return code::InterfaceInconnue;
            *objet = static_cast<PageProprietes*>(new PropertyPage1(parent));
            return code::Ok;
        }
        if (iid != IidControle && iid != IidDispatchBouton)
            return code::InterfaceInconnue;
        auto* controle = new BoutonKivW9x(parent);
        if (iid == IidControle)
            *objet = static_cast<Controle*>(controle);
        else
            *objet = static_cast<Dispatch*>(controle);
        return code::Ok;
    }

    int32_t verrouillerServeur(bool verrouiller) override {
        verrouiller ? ++verrous : --verrous;
        return code::Ok;
    }

private:
    QUuid clsid_;
    std::atomic<uint32_t> references_{0};
};

// The path this library was loaded from, as the registry must record it.
QString cheminBibliotheque() {
#if defined(Q_OS_WIN)
    HMODULE module = nullptr;
    wchar_t chemin[MAX_PATH];
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&cheminBibliotheque), &module) ||
        !GetModuleFileNameW(module, chemin, MAX_PATH))
        return {};
    return QFileInfo(QString::fromWCharArray(chemin)).absoluteFilePath();
#else
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&cheminBibliotheque), &info) || !info.dli_fname)
        return {};
    return QFileInfo(QFile::decodeName(info.dli_fname)).absoluteFilePath();
#endif
}

QStringList nomsSections() {
    return {registre::sectionClasse(ClsidBouton),
            registre::sectionProgId(QLatin1String(ProgIdBouton)),
            registre::sectionClasse(ClsidPageProprietes),
            registre::sectionProgId(QLatin1String(ProgIdPageProprietes)),
            registre::sectionBibliothequeTypes(LibidBoutonKiv)};
}

} // namespace

} // namespace bouton

using namespace bouton;

extern "C" int32_t DllRegisterServer(void) {
    const QString bibliotheque = cheminBibliotheque();
    if (bibliotheque.isEmpty())
        return code::EnregistrementClasse;
    const QString libid = LibidBoutonKiv.toString(QUuid::WithBraces).toUpper();
    const QString version = QLatin1String(VersionBibliothequeTypes);
    auto classe = [&](const QUuid& clsid, const char* nom, const char* progId) {
        return registre::Section{registre::sectionClasse(clsid),
                                 {{QStringLiteral("Nom"), QLatin1String(nom)},
                                  {QStringLiteral("ProgID"), QLatin1String(progId)},
                                  {QStringLiteral("TypeLib"), libid},
                                  {QStringLiteral("Version"), version},
                                  {QStringLiteral("Bibliotheque"), bibliotheque}}};
    };
    auto progId = [&](const char* nom, const QUuid& clsid) {
        return registre::Section{
            registre::sectionProgId(QLatin1String(nom)),
            {{QStringLiteral("CLSID"), clsid.toString(QUuid::WithBraces).toUpper()}}};
    };
    const QList<registre::Section> sections{
        classe(ClsidBouton, NomClasseBouton, ProgIdBouton), progId(ProgIdBouton, ClsidBouton),
        classe(ClsidPageProprietes, NomClassePageProprietes, ProgIdPageProprietes),
        progId(ProgIdPageProprietes, ClsidPageProprietes),
        registre::Section{
            registre::sectionBibliothequeTypes(LibidBoutonKiv),
            {{QStringLiteral("Nom"), QLatin1String(NomBibliothequeTypes)},
             {QStringLiteral("Version"), version},
             {QStringLiteral("Description"), QString::fromUtf8(DescriptionBibliothequeTypes)},
             {QStringLiteral("Bibliotheque"), bibliotheque}}}};
    const Resultat r = registre::ajouter(registre::cheminRegistre(), sections);
    if (!r.reussi())
        qWarning("%s", qPrintable(r.message));
    return r.reussi() ? code::Ok : code::EnregistrementClasse;
}

extern "C" int32_t DllUnregisterServer(void) {
    const Resultat r = registre::retirer(registre::cheminRegistre(), nomsSections());
    if (!r.reussi())
        qWarning("%s", qPrintable(r.message));
    return r.reussi() ? code::Ok : code::EnregistrementClasse;
}

extern "C" int32_t DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** objet) {
    if (!clsid || !iid || !objet)
        return code::PointeurInvalide;
    *objet = nullptr;
    if (*clsid != ClsidBouton && *clsid != ClsidPageProprietes)
        return code::ClasseNonDisponible;
    auto* fabrique = new FabriqueBouton(*clsid);
    const int32_t r = fabrique->interroger(*iid, objet);
    if (r != code::Ok)
        delete fabrique;
    return r;
}

extern "C" int32_t DllCanUnloadNow(void) {
    const bool occupee = BoutonKivW9x::nombreVivants() > 0 || PropertyPage1::nombreVivantes() > 0 ||
                         fabriques > 0 || verrous > 0;
    return occupee ? code::Faux : code::Ok;
}
