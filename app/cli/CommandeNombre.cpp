#include "cli/Commande.h"
#include "cli/Console.h"

#include "words/MontantTexte.h"
#include "words/NombreEnLettres.h"

namespace {

const char* const kAide =
    "Utilisation : scribane-cli nombre NOMBRE UNITE\n"
    "\n"
    "Écrit NOMBRE en lettres suivi de UNITE (au singulier ; un « s » est ajouté\n"
    "à partir de 2). Le séparateur décimal est la virgule ; une partie décimale\n"
    "s'écrit en cents. Exemple : scribane-cli nombre 80 euro\n"
    "\n"
    "Options :\n"
    "  -h, --help  affiche cette aide\n";

} // namespace

int CommandeNombre(Invocation& invocation) {
    const QStringList& args = invocation.arguments;
    if (args.contains(u"--help") || args.contains(u"-h")) {
        Sortie() << kAide;
        Sortie().flush();
        return kSucces;
    }
    if (args.size() != 2)
        return Refuser(QStringLiteral("il faut un NOMBRE et une UNITE. "
                                      "Voir scribane-cli nombre --help."),
                       kUsage);

    const std::optional<double> nombre = LireMontant(args[0]);
    if (!nombre)
        return Refuser(
            QStringLiteral("« %1 » n'est pas un nombre (exemple : 1234,56).").arg(args[0]), kEchec);
    const std::optional<QString> lettres = NombreEnLettres(*nombre, args[1]);
    if (!lettres)
        return Refuser(QStringLiteral("« %1 » ne s'écrit pas en lettres : le nombre doit être "
                                      "inférieur à mille milliards.")
                           .arg(args[0]),
                       kEchec);
    Sortie() << *lettres << '\n';
    Sortie().flush();
    return kSucces;
}
