#include "Montage.h"
#include "RegistreClasses.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bouton;
using namespace bouton::registre;

namespace {

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

} // namespace

// "[ ]" was read as the empty name and written back as "[]", which the next
// read refused: registration then failed until the file was mended by hand.
TEST(RegistreFichier, ABlankSectionNameReadsBackAfterARewrite) {
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("registre-classes.ini"));
    Ecrire(chemin, "; autre programme\n[ ]\nCle=1\n[Autre]\nX = y \n");
    const Resultat ajout = ajouter(chemin, {{sectionProgId(QStringLiteral("Essai.1")),
                                             {{QStringLiteral("CLSID"), QStringLiteral("{x}")}}}});
    ASSERT_TRUE(ajout.reussi()) << ajout.message.toStdString();
    Resultat erreur;
    const auto sections = lire(chemin, &erreur);
    ASSERT_TRUE(sections) << erreur.message.toStdString();
    ASSERT_EQ(sections->size(), 3);
    EXPECT_EQ((*sections)[0].nom, QString());
    EXPECT_EQ((*sections)[0].valeur(QStringLiteral("cle")), QStringLiteral("1"));
    EXPECT_EQ((*sections)[1].valeur(QStringLiteral("X")), QStringLiteral(" y"));
    EXPECT_TRUE(retirer(chemin, {sectionProgId(QStringLiteral("Essai.1"))}).reussi());
    EXPECT_TRUE(lire(chemin, &erreur));
}

TEST(RegistreFichier, AFullDiskFailsTheRewriteAndKeepsTheRegistry) {
    PetitTmpfs disque;
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    const QString chemin = disque.fichier(QStringLiteral("registre-classes.ini"));
    QByteArray avant = "; Registre des classes de contrôles\n";
    for (int i = 0; avant.size() < 12 * 1024; ++i)
        avant += "\n[ProgID\\Autre." + QByteArray::number(i) + "]\nCLSID={" +
                 QByteArray::number(i) + "}\n";
    Ecrire(chemin, avant);
    ASSERT_TRUE(disque.remplir(4096));
    const Resultat r = ajouter(chemin, {{QStringLiteral("ProgID\\Essai.1"), {}}});
    EXPECT_EQ(r.code, code::RegistreNonEcrit);
    EXPECT_TRUE(r.message.endsWith(QStringLiteral(" : le disque est plein.")))
        << r.message.toStdString();
    EXPECT_EQ(Lire(chemin), avant);
    QStringList restes = QDir(disque.chemin()).entryList(QDir::Files | QDir::Hidden);
    restes.sort();
    EXPECT_EQ(restes, (QStringList{"registre-classes.ini", "remplissage"}));
}
