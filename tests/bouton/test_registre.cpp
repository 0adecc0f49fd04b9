// Registration, the class registry file, and creation by prog-id when things go wrong.

#include "Essai.h"

#include "bouton/Exports.h"
#include "bouton/FabriqueClasse.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>

using namespace bouton;
using namespace bouton::hote;

namespace {

QString lireFichier(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void ecrireFichier(const QString& chemin, const QByteArray& contenu) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

} // namespace

class Registre : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(cheminRegistreEssai());
        parent.reset(new QWidget);
    }
    void TearDown() override {
        // Leave a sound registry to the other tests.
        QFile::remove(cheminRegistreEssai());
        EnregistrerBibliotheque(bibliothequeTestee());
    }
    std::unique_ptr<QWidget> parent;
};

TEST_F(Registre, RegsvrRegistersAndUnregisters) {
    QTemporaryDir maison;
    ASSERT_TRUE(maison.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), maison.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), maison.path() + QStringLiteral("/config"));
    const QString registre = maison.path() + QStringLiteral("/config/registre-classes.ini");
    auto regsvr = [&](QStringList arguments) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BOUTON_REGSVR), arguments);
        EXPECT_TRUE(p.waitForFinished());
        return p.exitCode();
    };

    ASSERT_EQ(regsvr({bibliothequeTestee()}), 0);
    QString contenu = lireFichier(registre);
    EXPECT_TRUE(contenu.contains(QStringLiteral(
        "[ProgID\\BoutonKiv.Bouton_Kiv_W9x]\nCLSID={2D2332A0-0B73-40F6-A920-B78F5102B993}")));
    EXPECT_TRUE(
        contenu.contains(QStringLiteral("[CLSID\\{C2ACD04B-3327-466F-BE22-69AB9C189D8E}]")));
    EXPECT_TRUE(
        contenu.contains(QStringLiteral("[TypeLib\\{3EE50872-B0BB-4DEC-BD02-1B9001949B8B}]")));
    EXPECT_TRUE(contenu.contains(QStringLiteral("Description=Bouton_Kiv à la mode W9x")));
    EXPECT_TRUE(contenu.contains(QStringLiteral("Bibliotheque=") + bibliothequeTestee() + u'\n'));

    // Another class registered meanwhile must survive our unregistration.
    ecrireFichier(registre, (contenu + QStringLiteral("\n[CLSID\\{AUTRE}]\nNom=Autre\n")).toUtf8());
    ASSERT_EQ(regsvr({QStringLiteral("/u"), bibliothequeTestee()}), 0);
    contenu = lireFichier(registre);
    EXPECT_FALSE(contenu.contains(QStringLiteral("BoutonKiv")));
    EXPECT_FALSE(contenu.contains(QStringLiteral("2D2332A0")));
    EXPECT_TRUE(contenu.contains(QStringLiteral("[CLSID\\{AUTRE}]\nNom=Autre")));

    EXPECT_EQ(regsvr({}), 1);
    EXPECT_EQ(regsvr({maison.path() + QStringLiteral("/absente.so")}), 3);
    EXPECT_EQ(regsvr({QStringLiteral(BOUTON_SANS_EXPORTS)}), 4);
}

TEST_F(Registre, MissingClass) {
    Resultat e;
    EXPECT_FALSE(CreerControle(QLatin1String(ProgIdBouton), parent.get(), nullptr, &e));
    EXPECT_EQ(e.code, code::ClasseNonEnregistree);
    EXPECT_TRUE(e.message.contains(QLatin1String(ProgIdBouton)));
}

TEST_F(Registre, DamagedRegistry) {
    ecrireFichier(cheminRegistreEssai(), "[ProgID\\BoutonKiv.Bouton_Kiv_W9x]\nCLSID={2D2332A0-0B73-"
                                         "40F6-A920-B78F5102B993}\nceci n'est pas une ligne\n");
    Resultat e;
    EXPECT_FALSE(CreerControle(QLatin1String(ProgIdBouton), parent.get(), nullptr, &e));
    EXPECT_EQ(e.code, code::RegistreIllisible);
    EXPECT_TRUE(e.message.contains(QStringLiteral("ligne 3")));
    // Registering must not overwrite what it cannot read.
    EXPECT_FALSE(EnregistrerBibliotheque(bibliothequeTestee()).reussi());
    EXPECT_TRUE(lireFichier(cheminRegistreEssai()).contains(QStringLiteral("ceci n'est pas")));

    ecrireFichier(cheminRegistreEssai(), "\xff\xfe[CLSID]\n");
    EXPECT_FALSE(CreerControle(QLatin1String(ProgIdBouton), parent.get(), nullptr, &e));
    EXPECT_EQ(e.code, code::RegistreIllisible);
}

TEST_F(Registre, AVanishedLibraryIsRegisteredAgain) {
    ASSERT_TRUE(EnregistrerBibliotheque(bibliothequeTestee()).reussi());
    QString contenu = lireFichier(cheminRegistreEssai());
    contenu.replace(bibliothequeTestee(), QStringLiteral("/nulle/part/libBoutonKiv_W9x.so"));
    ecrireFichier(cheminRegistreEssai(), contenu.toUtf8());

    Resultat e;
    EXPECT_FALSE(CreerControle(QLatin1String(ProgIdBouton), parent.get(), nullptr, &e));
    EXPECT_EQ(e.code, code::ClasseNonEnregistree);
    EXPECT_TRUE(e.message.contains(QDir::toNativeSeparators(QStringLiteral("/nulle/part"))));

    auto c = CreerControleOuEnregistrer(QLatin1String(ProgIdBouton), parent.get(), nullptr,
                                        bibliothequeTestee(), &e);
    ASSERT_TRUE(c) << texte(e);
    EXPECT_EQ(c->widget->parent(), parent.get());
    EXPECT_TRUE(lireFichier(cheminRegistreEssai()).contains(bibliothequeTestee()));
}

TEST_F(Registre, LibraryWithoutEntryPoints) {
    const QString sans = QStringLiteral(BOUTON_SANS_EXPORTS);
    Resultat e = EnregistrerBibliotheque(sans);
    EXPECT_FALSE(e.reussi());
    EXPECT_TRUE(e.message.contains(QStringLiteral("DllRegisterServer")));

    ASSERT_TRUE(EnregistrerBibliotheque(bibliothequeTestee()).reussi());
    QString contenu = lireFichier(cheminRegistreEssai());
    contenu.replace(bibliothequeTestee(), sans);
    ecrireFichier(cheminRegistreEssai(), contenu.toUtf8());
    EXPECT_FALSE(CreerControle(QLatin1String(ProgIdBouton), parent.get(), nullptr, &e));
    EXPECT_TRUE(e.message.contains(QStringLiteral("DllGetClassObject"))) << texte(e);
}

TEST_F(Registre, EntryPointsOfTheLibrary) {
    QLibrary bibliotheque(bibliothequeTestee());
    ASSERT_TRUE(bibliotheque.load()) << bibliotheque.errorString().toStdString();
    auto obtenir = reinterpret_cast<FnDllGetClassObject>(bibliotheque.resolve("DllGetClassObject"));
    auto dechargeable =
        reinterpret_cast<FnDllCanUnloadNow>(bibliotheque.resolve("DllCanUnloadNow"));
    ASSERT_TRUE(obtenir && dechargeable);

    void* objet = nullptr;
    // The platform's stock pages are the host's, not this library's.
    EXPECT_EQ(obtenir(&ClsidPageStandardFont, &IidFabriqueClasse, &objet),
              code::ClasseNonDisponible);
    EXPECT_EQ(obtenir(&IidInconnu, &IidFabriqueClasse, &objet), code::ClasseNonDisponible);
    EXPECT_EQ(obtenir(&ClsidBouton, &IidDispatchBouton, &objet), code::InterfaceInconnue);
    EXPECT_EQ(obtenir(&ClsidBouton, &IidFabriqueClasse, nullptr), code::PointeurInvalide);
    EXPECT_EQ(objet, nullptr);

    EXPECT_EQ(dechargeable(), code::Ok);
    ASSERT_EQ(obtenir(&ClsidBouton, &IidFabriqueClasse, &objet), code::Ok);
    auto* fabrique = static_cast<FabriqueClasse*>(objet);
    EXPECT_EQ(dechargeable(), code::Faux);
    void* controle = nullptr;
    EXPECT_EQ(fabrique->creerInstance(parent.get(), IidFabriqueClasse, &controle),
              code::InterfaceInconnue);
    ASSERT_EQ(fabrique->creerInstance(parent.get(), IidDispatchBouton, &controle), code::Ok);
    fabrique->liberer();
    EXPECT_EQ(dechargeable(), code::Faux); // the control still lives
    QVariant v;
    EXPECT_TRUE(static_cast<Dispatch*>(controle)->lire(membre::Caption, v).reussi());
    EXPECT_EQ(v, QStringLiteral("Etiquette"));
    parent.reset();
    EXPECT_EQ(dechargeable(), code::Ok);
}
