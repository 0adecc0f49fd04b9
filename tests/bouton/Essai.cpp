#include "Essai.h"

#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

class RegistreTemporaire : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(dossier_.isValid());
        qputenv("HOME", QFile::encodeName(dossier_.path()));
        QStandardPaths::setTestModeEnabled(true);
    }

private:
    QTemporaryDir dossier_;
};

[[maybe_unused]] auto* const environnement =
    ::testing::AddGlobalTestEnvironment(new RegistreTemporaire);

} // namespace

QString cheminRegistreEssai() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/registre-classes.ini");
}

QString bibliothequeTestee() {
    return QStringLiteral(BOUTON_BIBLIOTHEQUE_TESTEE);
}

std::string texte(const bouton::Resultat& r) {
    return QStringLiteral("0x%1 %2")
        .arg(uint32_t(r.code), 8, 16, QLatin1Char('0'))
        .arg(r.message)
        .toStdString();
}

void ControleEssai::SetUp() {
    // Qt's test folder: ".qttest" on Unix, "qttest" on Windows.
    ASSERT_TRUE(cheminRegistreEssai().contains(QLatin1String("qttest")));
    const auto r = bouton::hote::EnregistrerBibliotheque(bibliothequeTestee());
    ASSERT_TRUE(r.reussi()) << texte(r);
    c = creer();
    ASSERT_NE(c.dispatch, nullptr);
    ASSERT_TRUE(c.controle->initialiserNouveau().reussi());
    site.journal.clear();
}

bouton::hote::ControleCharge ControleEssai::creer() {
    bouton::Resultat e;
    auto charge =
        bouton::hote::CreerControle(QLatin1String(bouton::ProgIdBouton), &parent, &site, &e);
    EXPECT_TRUE(charge) << texte(e);
    if (!charge)
        return {};
    charge->controle->connecterPuits(&site);
    return *charge;
}

QVariant ControleEssai::lire(int32_t id) {
    QVariant v;
    const auto r = c.dispatch->lire(id, v);
    EXPECT_TRUE(r.reussi()) << c.dispatch->nomDuMembre(id).toStdString() << ": " << texte(r);
    return v;
}

QVariant ControleEssai::partie(const char* nom, const char* propriete) const {
    const QObject* p = c.widget->findChild<QObject*>(QLatin1String(nom));
    EXPECT_NE(p, nullptr) << nom;
    return p ? p->property(propriete) : QVariant();
}
