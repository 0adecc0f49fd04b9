#include "commande.h"
#include "console.h"

#include "montant_en_lettres.h"

#include <QTextStream>
#include <cstdio>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli lettres [OPTIONS] MONTANT...\n"
    "\n"
    "Écrit chaque MONTANT en lettres, une ligne chacun, tel qu'il serait imprimé\n"
    "sur le chèque. Le séparateur décimal est la virgule ; les milliers peuvent\n"
    "être séparés par une espace (1 234,56). Avec « - », les montants sont lus\n"
    "sur l'entrée standard, un par ligne.\n"
    "\n"
    "Options :\n"
    "  --devise D            nom de la devise au singulier (défaut : euro)\n"
    "  --centimes C          nom des centimes au singulier (défaut : centime)\n"
    "  --liaison L           mot entre les unités et les centimes (défaut : et)\n"
    "  --sans-centimes-nuls  ne pas imprimer les centimes s'ils sont nuls\n"
    "  -h, --help            affiche cette aide\n";

struct Reglages {
    QString devise = QStringLiteral("euro");
    QString centimes = QStringLiteral("centime");
    QString liaison = QStringLiteral("et");
    bool sansCentimesNuls = false;
};

void Ecrire(const Reglages& r, QStringView montant) {
    Sortie()
        << MontantEnLettres(montant, r.devise, r.centimes, r.liaison, r.sansCentimesNuls).lettres
        << '\n';
}

} // namespace

int CommandeLettres(Invocation& invocation) {
    Reglages reglages;
    QStringList montants;
    const QStringList& args = invocation.arguments;
    bool options = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!options || a == u"-" || !a.startsWith(u"-") || (a.size() > 1 && a[1].isDigit())) {
            montants << a; // "-" is standard input; "-5" is an amount
            continue;
        }
        if (a == u"--") {
            options = false;
        } else if (a == u"--help" || a == u"-h") {
            Sortie() << kAide;
            Sortie().flush();
            return kSucces;
        } else if (a == u"--sans-centimes-nuls") {
            reglages.sansCentimesNuls = true;
        } else if (a == u"--devise" || a == u"--centimes" || a == u"--liaison") {
            if (i + 1 >= args.size())
                return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
            QString& valeur = a == u"--devise"     ? reglages.devise
                              : a == u"--centimes" ? reglages.centimes
                                                   : reglages.liaison;
            valeur = args[++i];
        } else {
            return Refuser(
                QStringLiteral("option inconnue « %1 ». Voir scribane-cli lettres --help.").arg(a),
                kUsage);
        }
    }
    if (montants.isEmpty())
        return Refuser(QStringLiteral("aucun montant. Voir scribane-cli lettres --help."), kUsage);

    for (const QString& montant : montants) {
        if (montant != u"-") {
            Ecrire(reglages, montant);
            continue;
        }
        QTextStream entree(stdin);
        entree.setEncoding(QStringConverter::Utf8);
        QString ligne;
        while (entree.readLineInto(&ligne))
            Ecrire(reglages, ligne);
    }
    Sortie().flush();
    return kSucces;
}
