#include "cheque/Releve.h"

#include "cheque/LotCheques.h"

#include <QRegularExpression>
#include <QStringView>

#include <limits>

namespace {

constexpr int kLignesApercu = 30; // where a header and the separator are looked for
constexpr qsizetype kLibelleMax = 500;
// No bank writes more fields; a line of bare separators would otherwise make millions.
constexpr qsizetype kChampsMax = 1000;

QString Ligne(int n) {
    return QStringLiteral("ligne %1 : ").arg(n);
}

// The lines of the text: CR, LF and CR LF each end one.
QList<QStringView> Lignes(QStringView texte) {
    QList<QStringView> lignes;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] != u'\r' && texte[i] != u'\n')
            continue;
        lignes.append(texte.sliced(debut, i - debut));
        if (texte[i] == u'\r' && i + 1 < texte.size() && texte[i + 1] == u'\n')
            ++i;
        debut = i + 1;
    }
    lignes.append(texte.sliced(debut));
    return lignes;
}

bool Controle(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

// A label for a list: control characters made blanks, blanks runs made one.
QString LibellePropre(QStringView texte) {
    QString l(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i)
        l[i] = Controle(texte[i]) ? QChar(u' ') : texte[i];
    l = l.simplified();
    if (l.size() > kLibelleMax) {
        l.truncate(kLibelleMax);
        if (l.back().isHighSurrogate())
            l.chop(1);
    }
    return l;
}

// The fields of one line. A field in double quotes may hold the separator
// and doubled quotes; blanks around a field are dropped.
QStringList Champs(QStringView ligne, QChar separateur, bool* malForme) {
    enum class Etat { Debut, Nu, Cite, ApresCite };
    QStringList champs;
    QString champ;
    Etat etat = Etat::Debut;
    *malForme = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (champs.size() >= kChampsMax) {
            *malForme = true;
            return champs;
        }
        const QChar c = ligne[i];
        switch (etat) {
        case Etat::Debut:
            if (c == u'"') {
                etat = Etat::Cite;
            } else if (c == separateur) {
                champs << QString();
            } else if (!c.isSpace()) {
                champ += c;
                etat = Etat::Nu;
            }
            break;
        case Etat::Nu:
            if (c == separateur) {
                champs << champ.trimmed();
                champ.clear();
                etat = Etat::Debut;
            } else {
                champ += c;
            }
            break;
        case Etat::Cite:
            if (c == u'"' && i + 1 < ligne.size() && ligne[i + 1] == u'"') {
                champ += u'"';
                ++i;
            } else if (c == u'"') {
                etat = Etat::ApresCite;
            } else {
                champ += c;
            }
            break;
        case Etat::ApresCite:
            if (c == separateur) {
                champs << champ.trimmed();
                champ.clear();
                etat = Etat::Debut;
            } else if (!c.isSpace()) {
                *malForme = true;
            }
            break;
        }
    }
    *malForme |= etat == Etat::Cite;
    champs << champ.trimmed();
    return champs;
}

// Lower case, without accents, every run of other characters one blank.
QString Normaliser(const QString& texte) {
    const QString d = texte.normalized(QString::NormalizationForm_D);
    QString n;
    n.reserve(d.size());
    for (const QChar c : d) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        n += c.isLetterOrNumber() ? c.toLower() : QChar(u' ');
    }
    return n.simplified();
}

bool Mot(const QString& normalise, QLatin1StringView mot) {
    const QStringList mots = normalise.split(u' ', Qt::SkipEmptyParts);
    return mots.contains(mot);
}

QChar Separateur(const QList<QStringView>& lignes) {
    qsizetype pointsVirgules = 0;
    for (qsizetype i = 0; i < lignes.size() && i < kLignesApercu; ++i) {
        bool cite = false;
        for (const QChar c : lignes[i]) {
            if (c == u'"')
                cite = !cite;
            else if (c == u';' && !cite)
                ++pointsVirgules;
        }
    }
    return pointsVirgules > 0 ? QChar(u';') : QChar(u',');
}

Resultat<QString> Texte(const QByteArray& octets) {
    if (octets.size() > kTailleMaxReleve)
        return Echec{QStringLiteral("le relevé fait plus de %1 Mo : ce n'est pas un relevé "
                                    "de compte.")
                         .arg(kTailleMaxReleve / (1024 * 1024))};
    auto texte = TexteDuLot(octets);
    if (!texte)
        return texte;
    if (texte->trimmed().isEmpty())
        return Echec{QStringLiteral("le relevé est vide.")};
    return texte;
}

// Adds without leaving the range: a sum that would is no statement's.
bool Ajouter(std::int64_t& total, std::int64_t montant) {
    if ((montant > 0 && total > std::numeric_limits<std::int64_t>::max() - montant) ||
        (montant < 0 && total < std::numeric_limits<std::int64_t>::min() - montant))
        return false;
    total += montant;
    return true;
}

// ---- CSV -------------------------------------------------------------------

struct Apercu {
    QChar separateur;
    std::optional<ColonnesReleve> colonnes;
    qsizetype ligneEntete = -1; // index in the lines
};

Apercu Examiner(const QList<QStringView>& lignes) {
    Apercu a;
    a.separateur = Separateur(lignes);
    for (qsizetype i = 0; i < lignes.size() && i < kLignesApercu; ++i) {
        bool malForme = false;
        const QStringList champs = Champs(lignes[i], a.separateur, &malForme);
        if (malForme)
            continue;
        if (auto c = ColonnesDeLEntete(champs)) {
            a.colonnes = c;
            a.ligneEntete = i;
            break;
        }
    }
    return a;
}

Resultat<ReleveLu> LireCsv(const QString& texte, const std::optional<ColonnesReleve>& donnees) {
    const QList<QStringView> lignes = Lignes(texte);
    const Apercu apercu = Examiner(lignes);
    ColonnesReleve colonnes;
    qsizetype debut = 0;
    bool preambule = false; // lines without a date skipped until the first with one
    if (donnees) {
        if (!donnees->completes())
            return Echec{QStringLiteral("les colonnes choisies ne suffisent pas : il faut la "
                                        "date, le libellé et le montant (ou le débit et le "
                                        "crédit), chacun dans sa colonne.")};
        colonnes = *donnees;
        preambule = true;
        if (apercu.colonnes && *apercu.colonnes == colonnes)
            debut = apercu.ligneEntete + 1, preambule = false;
    } else if (apercu.colonnes) {
        colonnes = *apercu.colonnes;
        debut = apercu.ligneEntete + 1;
    } else {
        return Echec{QStringLiteral("l'en-tête du relevé ne nomme pas ses colonnes (date, "
                                    "libellé, débit et crédit ou montant) : choisissez-les.")};
    }

    // The fields a line has: the header's, else the first movement's. A line
    // with more is split where it should not be, as "-12,50" unquoted in a
    // file separated by commas: read, it would be 12 euros.
    qsizetype attendus = -1;
    if (debut > 0) {
        bool malForme = false;
        attendus = Champs(lignes[debut - 1], apercu.separateur, &malForme).size();
    }
    auto remplis = [](const QStringList& champs) {
        qsizetype n = champs.size();
        while (n > 0 && champs[n - 1].isEmpty())
            --n;
        return n;
    };

    ReleveLu releve;
    releve.format = FormatReleve::Csv;
    for (qsizetype i = debut; i < lignes.size(); ++i) {
        if (lignes[i].trimmed().isEmpty())
            continue;
        const int numero = static_cast<int>(i + 1);
        bool malForme = false;
        const QStringList champs = Champs(lignes[i], apercu.separateur, &malForme);
        if (malForme) {
            if (preambule)
                continue;
            return Echec{Ligne(numero) +
                         (champs.size() >= kChampsMax
                              ? QStringLiteral("plus de %1 champs.").arg(kChampsMax)
                              : QStringLiteral("un guillemet n'est pas refermé ou est suivi "
                                               "d'autre chose que le séparateur."))};
        }
        auto champ = [&](int colonne) { return colonne >= 0 ? champs.value(colonne) : QString(); };
        bool vide = true;
        for (const QString& c : champs)
            vide &= c.isEmpty();
        if (vide)
            continue;

        const QString texteDate = champ(colonnes.date);
        const QDate date = LireDateReleve(texteDate);
        if (!date.isValid()) {
            if (preambule)
                continue;
            const bool sansMontant = champ(colonnes.montant).isEmpty() &&
                                     champ(colonnes.debit).isEmpty() &&
                                     champ(colonnes.credit).isEmpty();
            if (texteDate.isEmpty() && sansMontant)
                continue; // a line of comment or of totals without figures
            return Echec{Ligne(numero) +
                         (texteDate.isEmpty()
                              ? QStringLiteral("la date manque.")
                              : QStringLiteral("la date « %1 » ne se lit pas (JJ/MM/AAAA attendu).")
                                    .arg(LibellePropre(texteDate).left(40)))};
        }
        preambule = false;
        if (attendus < 0)
            attendus = champs.size();
        if (remplis(champs) > attendus)
            return Echec{Ligne(numero) +
                         QStringLiteral("%1 champs au lieu de %2 : un champ contient le "
                                        "séparateur « %3 » sans être entre guillemets.")
                             .arg(remplis(champs))
                             .arg(attendus)
                             .arg(apercu.separateur)};

        LigneReleve l;
        l.ligne = numero;
        l.date = date;
        l.libelle = LibellePropre(champ(colonnes.libelle));
        auto montant = [&](int colonne, const QString& nom) -> Resultat<std::int64_t> {
            const QString t = champ(colonne);
            const auto m = LireMontantReleve(t);
            if (!m)
                return Echec{
                    Ligne(numero) +
                    QStringLiteral("%1 « %2 » ne se lit pas.").arg(nom, LibellePropre(t).left(40))};
            return *m;
        };
        if (colonnes.montant >= 0) {
            if (champ(colonnes.montant).isEmpty())
                return Echec{Ligne(numero) + QStringLiteral("le montant manque.")};
            const auto m = montant(colonnes.montant, QStringLiteral("le montant"));
            if (!m)
                return Echec{m.raison()};
            l.centimes = *m;
        } else {
            const bool avecDebit = !champ(colonnes.debit).isEmpty();
            const bool avecCredit = !champ(colonnes.credit).isEmpty();
            std::int64_t debit = 0, credit = 0;
            if (avecDebit) {
                const auto m = montant(colonnes.debit, QStringLiteral("le débit"));
                if (!m)
                    return Echec{m.raison()};
                debit = *m < 0 ? -*m : *m; // some banks write debits with their sign
            }
            if (avecCredit) {
                const auto m = montant(colonnes.credit, QStringLiteral("le crédit"));
                if (!m)
                    return Echec{m.raison()};
                credit = *m < 0 ? -*m : *m;
            }
            if (!avecDebit && !avecCredit)
                return Echec{Ligne(numero) + QStringLiteral("ni débit ni crédit.")};
            if (debit != 0 && credit != 0)
                return Echec{Ligne(numero) + QStringLiteral("un débit et un crédit à la fois.")};
            l.centimes = debit != 0 ? -debit : credit;
        }
        releve.lignes.append(l);
    }
    if (releve.lignes.isEmpty())
        return Echec{QStringLiteral("le relevé ne contient aucune opération datée.")};
    return releve;
}

// ---- CFONB -----------------------------------------------------------------

constexpr qsizetype kEnregistrement = 120;

// A zone of the record, positions from 1 as the format counts them.
QStringView Zone(QStringView r, int de, int a) {
    return r.sliced(de - 1, a - de + 1);
}

bool Chiffres(QStringView t) {
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return !t.isEmpty();
}

QDate DateJjmmaa(QStringView t) {
    if (!Chiffres(t) || t.size() != 6)
        return {};
    const int aa = t.sliced(4, 2).toInt();
    return QDate(aa < 80 ? 2000 + aa : 1900 + aa, t.sliced(2, 2).toInt(), t.sliced(0, 2).toInt());
}

// The amount of zone 91-104: thirteen digits, then the last digit and the
// sign in one character ("{" and A to I for +0 to +9, "}" and J to R for -0
// to -9), in units of 10^-decimales.
std::optional<std::int64_t> MontantCfonb(QStringView zone, int decimales) {
    if (zone.size() != 14 || !Chiffres(zone.first(13)))
        return std::nullopt;
    const char16_t fin = zone[13].unicode();
    int dernier;
    bool negatif;
    if (fin == u'{' || (fin >= u'A' && fin <= u'I')) {
        negatif = false;
        dernier = fin == u'{' ? 0 : fin - u'A' + 1;
    } else if (fin == u'}' || (fin >= u'J' && fin <= u'R')) {
        negatif = true;
        dernier = fin == u'}' ? 0 : fin - u'J' + 1;
    } else {
        return std::nullopt;
    }
    std::int64_t valeur = zone.first(13).toLongLong() * 10 + dernier;
    if (decimales <= 2) {
        for (int k = decimales; k < 2; ++k)
            valeur *= 10;
    } else {
        for (int k = 2; k < decimales; ++k) {
            if (valeur % 10 != 0)
                return std::nullopt; // not a whole number of cents
            valeur /= 10;
        }
    }
    return negatif ? -valeur : valeur;
}

Resultat<ReleveLu> LireCfonb(const QString& texte) {
    // The records, one a line, or one after the other with no line end.
    struct Enregistrement {
        int ligne;
        QString texte;
    };
    QVector<Enregistrement> enregistrements;
    const bool parLignes = texte.contains(u'\r') || texte.contains(u'\n');
    if (parLignes) {
        const QList<QStringView> lignes = Lignes(texte);
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            const QStringView l = lignes[i];
            if (l.trimmed().isEmpty())
                continue;
            if (l.size() > kEnregistrement)
                return Echec{Ligne(int(i + 1)) +
                             QStringLiteral("l'enregistrement a %1 caractères au lieu de 120.")
                                 .arg(l.size())};
            // Blanks at the end may have been cut by the tool that copied it.
            enregistrements.append({int(i + 1), l.toString().leftJustified(kEnregistrement)});
        }
    } else {
        if (texte.size() % kEnregistrement != 0)
            return Echec{QStringLiteral("le relevé CFONB n'est pas fait d'enregistrements de 120 "
                                        "caractères : il est tronqué ou abîmé.")};
        for (qsizetype i = 0; i < texte.size(); i += kEnregistrement)
            enregistrements.append({int(i / kEnregistrement + 1), texte.mid(i, kEnregistrement)});
    }

    ReleveLu releve;
    releve.format = FormatReleve::Cfonb;
    std::int64_t ancienTotal = 0, nouveauTotal = 0;
    bool ouvert = false;    // between an old balance and its new one
    bool mouvement = false; // the last record was a movement or its complement
    QString compte;
    std::int64_t solde = 0; // the old balance plus the movements so far
    int ligneOuverture = 0;
    // Where the account being read was opened, to name it in a refusal.
    auto ouverture = [&] {
        return (parLignes ? QStringLiteral("à la ligne %1")
                          : QStringLiteral("à l'enregistrement %1"))
            .arg(ligneOuverture);
    };
    for (const Enregistrement& e : enregistrements) {
        const QStringView r = e.texte;
        const QString prefixe =
            parLignes ? Ligne(e.ligne) : QStringLiteral("enregistrement %1 : ").arg(e.ligne);
        const QStringView code = Zone(r, 1, 2);
        if (code != u"01" && code != u"04" && code != u"05" && code != u"07")
            return Echec{prefixe + QStringLiteral("enregistrement de type « %1 » inconnu "
                                                  "(01, 04, 05 ou 07 attendu).")
                                       .arg(LibellePropre(code))};
        const QChar chiffreDecimales = r[19];
        if (chiffreDecimales < u'0' || chiffreDecimales > u'9')
            return Echec{prefixe + QStringLiteral("le nombre de décimales ne se lit pas.")};
        const int decimales = chiffreDecimales.unicode() - u'0';
        const QString devise = Zone(r, 17, 19).toString();
        if (devise != QLatin1String("EUR"))
            return Echec{prefixe + QStringLiteral("le compte est tenu en « %1 », pas en euros.")
                                       .arg(LibellePropre(devise))};
        const QString compteIci = Zone(r, 22, 32).toString();

        if (code == u"05") {
            if (!mouvement)
                return Echec{prefixe + QStringLiteral("un complément (05) sans le mouvement (04) "
                                                      "qu'il complète.")};
            if (compteIci != compte)
                return Echec{prefixe + QStringLiteral("le complément n'est pas du même compte.")};
            LigneReleve& dernier = releve.lignes.last();
            dernier.libelle = LibellePropre(dernier.libelle + u' ' + Zone(r, 49, 118).toString());
            continue;
        }

        const auto montant = MontantCfonb(Zone(r, 91, 104), decimales);
        if (!montant)
            return Echec{prefixe + QStringLiteral("le montant « %1 » ne se lit pas.")
                                       .arg(LibellePropre(Zone(r, 91, 104)))};
        const QDate date = DateJjmmaa(Zone(r, 35, 40));
        if (!date.isValid())
            return Echec{prefixe + QStringLiteral("la date « %1 » ne se lit pas (JJMMAA attendu).")
                                       .arg(LibellePropre(Zone(r, 35, 40)))};

        if (code == u"01") {
            if (ouvert)
                return Echec{prefixe + QStringLiteral("un nouvel ancien solde (01) alors que le "
                                                      "compte ouvert %1 n'a pas été soldé (07).")
                                           .arg(ouverture())};
            ouvert = true;
            mouvement = false;
            compte = compteIci;
            solde = *montant;
            ligneOuverture = e.ligne;
            if (!Ajouter(ancienTotal, *montant))
                return Echec{prefixe + QStringLiteral("les soldes dépassent ce qu'un relevé peut "
                                                      "porter.")};
            continue;
        }
        if (!ouvert)
            return Echec{prefixe + QStringLiteral("%1 avant l'ancien solde (01) du compte.")
                                       .arg(code == u"04"
                                                ? QStringLiteral("un mouvement (04)")
                                                : QStringLiteral("un nouveau solde (07)"))};
        if (compteIci != compte)
            return Echec{prefixe + QStringLiteral("l'enregistrement n'est pas du compte ouvert "
                                                  "%1.")
                                       .arg(ouverture())};
        if (code == u"04") {
            if (!Ajouter(solde, *montant))
                return Echec{prefixe + QStringLiteral("les mouvements dépassent ce qu'un relevé "
                                                      "peut porter.")};
            LigneReleve l;
            l.ligne = e.ligne;
            l.date = date;
            l.libelle = LibellePropre(Zone(r, 49, 79));
            l.centimes = *montant;
            releve.lignes.append(l);
            mouvement = true;
            continue;
        }
        // 07: the new balance closes the account's statement.
        if (solde != *montant)
            return Echec{prefixe + QStringLiteral("le nouveau solde ne fait pas l'ancien solde "
                                                  "plus les mouvements : le relevé est "
                                                  "incomplet ou abîmé.")};
        if (!Ajouter(nouveauTotal, *montant))
            return Echec{prefixe + QStringLiteral("les soldes dépassent ce qu'un relevé peut "
                                                  "porter.")};
        ouvert = false;
        mouvement = false;
    }
    if (enregistrements.isEmpty())
        return Echec{QStringLiteral("le relevé est vide.")};
    if (ouvert)
        return Echec{QStringLiteral("le relevé s'arrête avant le nouveau solde (07) du compte "
                                    "ouvert %1 : il est tronqué.")
                         .arg(ouverture())};
    releve.ancienSolde = ancienTotal;
    releve.nouveauSolde = nouveauTotal;
    return releve;
}

} // namespace

bool ColonnesReleve::completes() const {
    const int toutes[] = {date, libelle, debit, credit, montant};
    for (int a = 0; a < 5; ++a) {
        if (toutes[a] < -1 || toutes[a] > 999)
            return false;
        for (int b = a + 1; b < 5; ++b)
            if (toutes[a] >= 0 && toutes[a] == toutes[b])
                return false;
    }
    const bool unMontant = montant >= 0;
    const bool debitCredit = debit >= 0 || credit >= 0;
    return date >= 0 && libelle >= 0 && unMontant != debitCredit;
}

QString ColonnesReleve::enTexte() const {
    return QStringLiteral("date=%1;libelle=%2;debit=%3;credit=%4;montant=%5")
        .arg(date)
        .arg(libelle)
        .arg(debit)
        .arg(credit)
        .arg(montant);
}

std::optional<ColonnesReleve> ColonnesReleve::depuisTexte(const QString& texte) {
    ColonnesReleve c;
    int* champs[] = {&c.date, &c.libelle, &c.debit, &c.credit, &c.montant};
    const char* noms[] = {"date", "libelle", "debit", "credit", "montant"};
    const QStringList parties = texte.split(u';');
    if (parties.size() != 5)
        return std::nullopt;
    for (int k = 0; k < 5; ++k) {
        const QString attendu = QLatin1String(noms[k]) + u'=';
        if (!parties[k].startsWith(attendu))
            return std::nullopt;
        bool ok = false;
        *champs[k] = parties[k].mid(attendu.size()).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (!c.completes())
        return std::nullopt;
    return c;
}

std::optional<ColonnesReleve> ColonnesDeLEntete(const QStringList& entete) {
    ColonnesReleve c;
    int dateValeur = -1;
    int libelleSecond = -1, libelleTroisieme = -1;
    for (int i = 0; i < entete.size() && i < 1000; ++i) {
        const QString n = Normaliser(entete[i]);
        if (n.isEmpty())
            continue;
        if (n.startsWith(QLatin1String("date"))) {
            if (Mot(n, QLatin1String("valeur"))) {
                if (dateValeur < 0)
                    dateValeur = i;
            } else if (c.date < 0) {
                c.date = i;
            }
        } else if (Mot(n, QLatin1String("debit"))) {
            if (c.debit < 0)
                c.debit = i;
        } else if (Mot(n, QLatin1String("credit"))) {
            if (c.credit < 0)
                c.credit = i;
        } else if (Mot(n, QLatin1String("libelle")) || Mot(n, QLatin1String("libelles")) ||
                   Mot(n, QLatin1String("label"))) {
            if (c.libelle < 0)
                c.libelle = i;
        } else if (Mot(n, QLatin1String("description")) || Mot(n, QLatin1String("intitule")) ||
                   Mot(n, QLatin1String("detail")) || Mot(n, QLatin1String("details"))) {
            if (libelleSecond < 0)
                libelleSecond = i;
        } else if (Mot(n, QLatin1String("montant")) || Mot(n, QLatin1String("somme")) ||
                   Mot(n, QLatin1String("amount"))) {
            if (c.montant < 0)
                c.montant = i;
        } else if (Mot(n, QLatin1String("operation")) || Mot(n, QLatin1String("nature"))) {
            if (libelleTroisieme < 0)
                libelleTroisieme = i;
        }
    }
    if (c.date < 0)
        c.date = dateValeur;
    if (c.libelle < 0)
        c.libelle = libelleSecond >= 0 ? libelleSecond : libelleTroisieme;
    if (c.debit >= 0 || c.credit >= 0)
        c.montant = -1;
    if (!c.completes())
        return std::nullopt;
    return c;
}

bool EstCfonb(const QByteArray& octets) {
    QByteArrayView debut(octets);
    if (debut.startsWith("\xEF\xBB\xBF"))
        debut = debut.sliced(3);
    while (!debut.isEmpty() && (debut.front() == '\r' || debut.front() == '\n'))
        debut = debut.sliced(1);
    if (debut.size() < 20)
        return false;
    auto chiffre = [&](qsizetype i) { return debut[i] >= '0' && debut[i] <= '9'; };
    auto majuscule = [&](qsizetype i) { return debut[i] >= 'A' && debut[i] <= 'Z'; };
    const QByteArrayView code = debut.first(2);
    if (code != "01" && code != "04" && code != "05" && code != "07")
        return false;
    for (qsizetype i = 2; i < 7; ++i)
        if (!chiffre(i))
            return false;
    return majuscule(16) && majuscule(17) && majuscule(18) && chiffre(19);
}

Resultat<ApercuCsv> ApercevoirCsv(const QByteArray& octets) {
    const auto texte = Texte(octets);
    if (!texte)
        return Echec{texte.raison()};
    const QList<QStringView> lignes = Lignes(*texte);
    const Apercu a = Examiner(lignes);
    ApercuCsv apercu;
    apercu.separateur = a.separateur;
    apercu.colonnes = a.colonnes;
    apercu.ligneEntete = a.colonnes ? int(a.ligneEntete + 1) : 0;
    for (qsizetype i = 0; i < lignes.size() && apercu.lignes.size() < kLignesApercu; ++i) {
        if (lignes[i].trimmed().isEmpty())
            continue;
        bool malForme = false;
        QStringList champs = Champs(lignes[i], a.separateur, &malForme);
        for (QString& c : champs)
            c = LibellePropre(c);
        apercu.lignes.append(champs.mid(0, 50));
        apercu.numeros.append(int(i + 1));
    }
    return apercu;
}

Resultat<ReleveLu> LireReleve(const QByteArray& octets,
                              const std::optional<ColonnesReleve>& colonnes) {
    const auto texte = Texte(octets);
    if (!texte)
        return Echec{texte.raison()};
    if (EstCfonb(octets))
        return LireCfonb(*texte);
    return LireCsv(*texte, colonnes);
}

Resultat<ReleveLu> LireReleveCsv(const QByteArray& octets,
                                 const std::optional<ColonnesReleve>& colonnes) {
    const auto texte = Texte(octets);
    if (!texte)
        return Echec{texte.raison()};
    return LireCsv(*texte, colonnes);
}

Resultat<ReleveLu> LireReleveCfonb(const QByteArray& octets) {
    const auto texte = Texte(octets);
    if (!texte)
        return Echec{texte.raison()};
    return LireCfonb(*texte);
}

std::optional<std::int64_t> LireMontantReleve(QStringView texte) {
    QString t = texte.trimmed().toString();
    for (const QStringView devise : {QStringView(u"EUR"), QStringView(u"€")})
        if (t.endsWith(devise, Qt::CaseInsensitive))
            t = t.chopped(devise.size()).trimmed();
    bool negatif = false;
    if (t.startsWith(u'-') || t.startsWith(u'\u2212') || t.startsWith(u'+')) {
        negatif = t[0] != u'+';
        t = t.mid(1).trimmed();
    } else if (t.endsWith(u'-')) {
        negatif = true;
        t = t.chopped(1).trimmed();
    }
    if (t.isEmpty())
        return std::nullopt;

    // The decimal mark: the comma; else a point followed by one or two
    // digits at the end ("12.5", "1234.56"), which no grouping of three is.
    qsizetype marque = t.lastIndexOf(u',');
    if (marque >= 0 && t.indexOf(u',') != marque)
        return std::nullopt;
    if (marque < 0) {
        const qsizetype point = t.lastIndexOf(u'.');
        if (point >= 0 && t.size() - point - 1 >= 1 && t.size() - point - 1 <= 2) {
            if (t.indexOf(u'.') != point)
                return std::nullopt; // "12.345.6": a point cannot group and mark the decimals
            marque = point;
        }
    }
    const QString entier = marque >= 0 ? t.left(marque) : t;
    const QString decimales = marque >= 0 ? t.mid(marque + 1) : QString();
    if (decimales.size() > 9 || (marque >= 0 && decimales.isEmpty()))
        return std::nullopt;

    auto estGroupe = [](QChar c) {
        return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'.' || c == u'\'' ||
               c == u'\u2019';
    };
    // The whole part: digits, grouped by threes with one kind of separator.
    QString chiffres;
    QChar groupe;
    qsizetype depuisGroupe = -1; // digits since the last separator, -1 before any
    qsizetype avantPremier = 0;
    for (const QChar c : entier) {
        if (c >= u'0' && c <= u'9') {
            chiffres += c;
            if (depuisGroupe >= 0)
                ++depuisGroupe;
            else
                ++avantPremier;
        } else if (estGroupe(c)) {
            if (!groupe.isNull() && c != groupe)
                return std::nullopt;
            if ((depuisGroupe >= 0 && depuisGroupe != 3) || avantPremier == 0 || avantPremier > 3)
                return std::nullopt;
            groupe = c;
            depuisGroupe = 0;
        } else {
            return std::nullopt;
        }
    }
    if (chiffres.isEmpty() || (depuisGroupe >= 0 && depuisGroupe != 3))
        return std::nullopt;
    for (const QChar c : decimales)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    // Beyond the cent, only zeros.
    for (qsizetype k = 2; k < decimales.size(); ++k)
        if (decimales[k] != u'0')
            return std::nullopt;
    while (chiffres.size() > 1 && chiffres.front() == u'0')
        chiffres.remove(0, 1);
    if (chiffres.size() > 13)
        return std::nullopt; // ten thousand billion euros: no statement line
    const std::int64_t unites = chiffres.toLongLong();
    const std::int64_t centimes = decimales.isEmpty()     ? 0
                                  : decimales.size() == 1 ? decimales.toLongLong() * 10
                                                          : decimales.left(2).toLongLong();
    const std::int64_t valeur = unites * 100 + centimes;
    return negatif ? -valeur : valeur;
}

QDate LireDateReleve(QStringView texte) {
    static const QRegularExpression jma(
        QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
    static const QRegularExpression amj(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QString t = texte.trimmed().toString();
    if (const auto m = amj.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const auto m = jma.match(t); m.hasMatch()) {
        int annee = m.captured(4).toInt();
        if (m.captured(4).size() == 2)
            annee += annee < 80 ? 2000 : 1900;
        return QDate(annee, m.captured(3).toInt(), m.captured(1).toInt());
    }
    return {};
}
