#include "Projet.h"
#include "cli/Commande.h"
#include "cli/Console.h"

#include <QString>
#include <iterator>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

// A new command is one more file and one more line here.
constexpr Commande kCommandes[] = {
    {"lettres", "écrit des montants en lettres, comme sur un chèque", CommandeLettres},
    {"nombre", "écrit un nombre en lettres suivi d'une unité", CommandeNombre},
    {"imprimer", "imprime un chèque, sur une imprimante ou dans un PDF", CommandeImprimer},
    {"journal", "liste les chèques imprimés notés dans les journaux, avec leur total",
     CommandeJournal},
    {"registre",
     "liste les chèques du registre, leur numéro, leur état et ce qui reste à "
     "encaisser",
     CommandeRegistre},
    {"rapprocher",
     "rapproche un relevé bancaire des chèques du registre et marque les encaissés",
     CommandeRapprocher},
};

void AfficherAide() {
    QTextStream& s = Sortie();
    s << "Utilisation : scribane-cli COMMANDE [OPTIONS] [ARGUMENTS]\n\n"
         "Commandes :\n";
    for (const Commande& c : kCommandes)
        s << "  " << QString::fromUtf8(c.nom).leftJustified(11) << QString::fromUtf8(c.resume)
          << '\n';
    s << "\nscribane-cli COMMANDE --help décrit une commande.\n";
    s << "scribane-cli --version donne la version du programme.\n";
    s.flush();
}

} // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_UNIX
    // A file-size limit then makes a write fail with its reason, which is told,
    // instead of killing the program in the middle of a file.
    ::signal(SIGXFSZ, SIG_IGN);
#endif
    PreparerConsole();
    QStringList arguments = ArgumentsDuProgramme(argc, argv);

    if (arguments.isEmpty())
        return AfficherAide(), kUsage;
    const QString nom = arguments.takeFirst();
    if (nom == u"--help" || nom == u"-h" || nom == u"aide")
        return AfficherAide(), kSucces;
    if (nom == u"--version") {
        Sortie() << "scribane-cli (Scribane) " << kVersionTexte << Qt::endl;
        return kSucces;
    }

    for (const Commande& c : kCommandes) {
        if (nom == QLatin1String(c.nom)) {
            Invocation invocation{argc, argv, arguments};
            return c.executer(invocation);
        }
    }
    return Refuser(QStringLiteral("commande inconnue « %1 ». Voir scribane-cli --help.").arg(nom),
                   kUsage);
}
