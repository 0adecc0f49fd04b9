// Rewrites a Cheque.ini of 3 x 10 000 list entries through the save every
// rewrite of the settings goes through, so that a test can kill it at any
// moment. "ecrivain_cheque DOSSIER a|b" writes one version and exits;
// "ecrivain_cheque DOSSIER boucle" writes a, b, a, ... forever. One byte on the
// standard output says that the rewrites begin.
#include "DossierApplication.h"
#include "EcritureAtomique.h"

#include <cstdio>
#include <cstring>

namespace {

// Built as bytes: the child's start stays short, most kills fall in a rewrite.
QByteArray Version(char v) {
    QByteArray octets = "[Defaut1]\r\nTaille= 12\r\n";
    const char* listes[][2] = {
        {"[Montants]", "Mt"}, {"[Destinataires]", "Dest"}, {"[Lieu]", "Lieu"}};
    for (const auto& [section, cle] : listes) {
        octets += section;
        octets += "\r\n";
        for (int i = 0; i < 10000; ++i)
            octets += cle + QByteArray::number(i) + "=Entr\xe9" + "e " + QByteArray::number(i) +
                      " version " + v + "\r\n";
    }
    return octets;
}

bool Ecrire(const CheminsScribane& c, const QByteArray& octets) {
    QString erreur;
    if (EcrireFichierAtomique(c.cheque(), octets, &erreur))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(erreur));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const CheminsScribane c{QString::fromLocal8Bit(argv[1])};
    const QByteArray a = Version('a');
    const QByteArray b = Version('b');
    std::fputc('.', stdout);
    std::fflush(stdout);
    if (std::strcmp(argv[2], "boucle") != 0)
        return Ecrire(c, argv[2][0] == 'a' ? a : b) ? 0 : 1;
    for (bool versA = true;; versA = !versA)
        if (!Ecrire(c, versA ? a : b))
            return 1;
}
