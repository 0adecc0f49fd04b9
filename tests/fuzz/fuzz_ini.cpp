// Cheque.ini: reading, lookups, the settings and the lists, a key written and
// read back, the write-back round trip and the atomic save.
#include "Verifier.h"
#include "settings/Cp1252.h"
#include "settings/EcritureAtomique.h"
#include "settings/EtatChoix.h"
#include "settings/FichierIni.h"
#include "settings/Listes.h"
#include "settings/Reglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    DocumentIni doc = DocumentIni::DepuisOctets(octets);

    for (int choix = 1; choix <= 2; ++choix) {
        Reglages r;
        LireReglages(doc, SectionDuChoix(choix), r);
    }
    (void)ChoixDApresSections(doc);
    const ListesMemorisees listes = ScannerListes(doc.lignes());
    (void)ConvertirLignesAnciennes(doc.lignes());

    // Once written in the code page, the file reads back to the same bytes.
    const QByteArray ecrit = doc.versOctets();
    VERIFIER(DocumentIni::DepuisOctets(ecrit).versOctets() == ecrit);

    // A setting written reads back as written (one line, trimmed), after a
    // round trip through the bytes; the lists rewritten read back the same.
    const QString valeur = DecoderCp1252(octets.left(40));
    doc.ecrire(u"Defaut1", u"Police", valeur);
    EcrireListes(doc.lignes(), listes);
    const DocumentIni relu = DocumentIni::DepuisOctets(doc.versOctets());
    VERIFIER(relu.valeur(u"Defaut1", u"Police") == EntreeSurUneLigne(valeur).trimmed());
    const ListesMemorisees listesRelues = ScannerListes(relu.lignes());
    VERIFIER(listesRelues.montants.size() == listes.montants.size());
    VERIFIER(listesRelues.destinataires.size() == listes.destinataires.size());
    VERIFIER(listesRelues.lieux.size() == listes.lieux.size());

    // The save path: what is saved is what is read.
    // In memory when the system offers it: the save flushes to disk every time.
    static QTemporaryDir dossier(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/fuzz_ini-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/fuzz_ini-XXXXXX"));
    const QString chemin = dossier.filePath(QStringLiteral("Cheque.ini"));
    VERIFIER(doc.enregistrer(chemin).ok());
    VERIFIER(Lire(chemin) == doc.versOctets());
    return 0;
}
