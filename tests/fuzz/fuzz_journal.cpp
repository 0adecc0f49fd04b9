// The print journal's reader. First, entries the writer itself makes (time,
// amount, payee and issuer drawn from the input) read back as those cheques,
// after any bytes a journal may already hold. Then the input as a journal:
// read either way without a crash, and a later append takes nothing from it.
// Input: 3 bytes of time, 7 of amount, then the payee and the issuer in UTF-8,
// NUL between them; the whole input is also the journal's bytes.
#include "Verifier.h"
#include "cheque/HistoriqueJournal.h"
#include "cheque/Journal.h"
#include "settings/Cp1252.h"
#include "settings/Listes.h"

#include <cstdint>

namespace {

const QDate kJour(2024, 3, 5);
const QString kFichier = QStringLiteral("Journal_2024_03_05.txt");
const QString kEmetteur = QStringLiteral(". Emetteur : ");

struct Entree {
    QTime heure;
    std::int64_t centimes = 0;
    QString destinataire, emetteur;
    QString ligne() const {
        return LigneJournal(heure, MontantDeCentimes(centimes), destinataire, emetteur);
    }
};

// What the file keeps of a text: one line, in the code page.
QString Garde(const QString& texte) {
    return DecoderCp1252(EncoderCp1252(EntreeSurUneLigne(texte)));
}

Entree EntreeDe(const QByteArray& octets) {
    QByteArray tete = octets.left(10);
    tete.append(10 - tete.size(), '\0');
    const auto o = [&tete](int i) { return std::uint8_t(tete[i]); };
    Entree e;
    e.heure = QTime(o(0) % 24, o(1) % 60, o(2) % 60);
    std::uint64_t c = 0;
    for (int i = 3; i < 10; ++i)
        c = c << 8 | o(i);
    e.centimes = std::int64_t(c % 100000000000000ULL); // below a thousand billion euros
    const QList<QByteArray> textes = octets.mid(10).split('\0');
    e.destinataire = QString::fromUtf8(textes.value(0));
    e.emetteur = QString::fromUtf8(textes.value(1));
    return e;
}

// The cheque read back is the entry written. A payee that itself holds
// ". Emetteur : " and capitals, printed without an issuer, cannot be told
// from a payee and an issuer: the line is the same.
void VerifierRelu(const ChequeJournal& c, const Entree& e) {
    VERIFIER(c.date == kJour);
    VERIFIER(c.heure == e.heure);
    VERIFIER(c.centimes == e.centimes);
    VERIFIER(c.montant == MontantDeCentimes(e.centimes));
    const QString destinataire = Garde(e.destinataire);
    if (!e.emetteur.isEmpty()) {
        VERIFIER(c.destinataire == destinataire);
        VERIFIER(c.emetteur == Garde(e.emetteur.toUpper()));
    } else if (!c.emetteur.isEmpty()) {
        VERIFIER(c.destinataire + kEmetteur + c.emetteur == destinataire);
        VERIFIER(c.emetteur == c.emetteur.toUpper());
    } else {
        VERIFIER(c.destinataire == destinataire);
    }
    // Searching for its own payee finds it.
    FiltreJournal f;
    f.recherche = c.destinataire;
    VERIFIER(f.accepte(c));
}

int Lignes(const QByteArray& octets) {
    return int(octets.count('\n')) + (octets.endsWith('\n') ? 0 : 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    Entree avec = EntreeDe(octets);
    Entree sans = avec;
    sans.emetteur.clear();

    // A day's file as the writer makes it.
    QByteArray journal = AjoutAuJournal({}, kJour, avec.ligne());
    journal += AjoutAuJournal(journal.right(2), kJour, sans.ligne());
    LectureJournaux lu;
    LireJournal(journal, kJour, kFichier, lu);
    VERIFIER(lu.lignesIgnorees == 0 && lu.endommages.isEmpty());
    VERIFIER(lu.cheques.size() == 2);
    VerifierRelu(lu.cheques[0], avec);
    VerifierRelu(lu.cheques[1], sans);
    VERIFIER(lu.cheques[0].ligne == 4 && lu.cheques[1].ligne == 5);

    // The input as a journal, finished or being written.
    LectureJournaux ecrit, enCours;
    LireJournal(octets, kJour, kFichier, ecrit, FinDuJournal::Ecrite);
    LireJournal(octets, kJour, kFichier, enCours, FinDuJournal::EnCoursDEcriture);
    const int lignes = octets.isEmpty() ? 0 : Lignes(octets);
    VERIFIER(ecrit.cheques.size() + ecrit.lignesIgnorees <= lignes);
    VERIFIER(enCours.cheques.size() <= ecrit.cheques.size());
    VERIFIER(enCours.lignesIgnorees <= ecrit.lignesIgnorees);
    VERIFIER(ecrit.endommages.size() == (ecrit.lignesIgnorees > 0 ? 1 : 0));
    for (const ChequeJournal& c : ecrit.cheques)
        VERIFIER(c.heure.isValid() && c.centimes >= 0 && c.ligne >= 1 && c.ligne <= lignes);
    (void)CsvJournal(ecrit.cheques);

    // Whatever the file held, the next append keeps it as it read and adds
    // exactly its own cheque: a cut line never takes it along.
    const QByteArray suite = octets + AjoutAuJournal(octets.right(2), kJour, avec.ligne());
    LectureJournaux apres;
    LireJournal(suite, kJour, kFichier, apres);
    VERIFIER(apres.lignesIgnorees == ecrit.lignesIgnorees);
    VERIFIER(apres.cheques.size() == ecrit.cheques.size() + 1);
    for (qsizetype i = 0; i < ecrit.cheques.size(); ++i)
        VERIFIER(apres.cheques[i].centimes == ecrit.cheques[i].centimes &&
                 apres.cheques[i].destinataire == ecrit.cheques[i].destinataire &&
                 apres.cheques[i].emetteur == ecrit.cheques[i].emetteur);
    VerifierRelu(apres.cheques.last(), avec);
    return 0;
}
