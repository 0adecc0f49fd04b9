#include "cheque/Journal.h"

#include "cheque/Rendu.h"
#include "settings/Cp1252.h"
#include "settings/EcritureAtomique.h"
#include "settings/Listes.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "settings/FichierWindows.h"
#endif

namespace {

Echec Echouer(const QString& chemin, const QString& raison) {
    return {QStringLiteral("Impossible d'écrire dans le journal %1 : %2.")
                .arg(QDir::toNativeSeparators(chemin), raison)};
}

} // namespace

QString NomJournal(const QDate& jour) {
    return jour.toString(QStringLiteral("'Journal_'yyyy_MM_dd'.txt'"));
}

QString LigneJournal(const QTime& heure, const QString& montant, const QString& destinataire,
                     const QString& emetteur) {
    QString ligne = heure.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" - ") + montant +
                    QStringLiteral(" Euros à l'ordre de ") + destinataire;
    if (!emetteur.isEmpty())
        ligne += QStringLiteral(". Emetteur : ") + emetteur.toUpper();
    // One entry, one line, whatever was pasted into the boxes.
    return EntreeSurUneLigne(ligne);
}

QByteArray AjoutAuJournal(const QByteArray& fin, const QDate& jour, const QString& ligne) {
    QByteArray octets;
    if (fin.isEmpty())
        octets =
            EncoderCp1252(QStringLiteral("RELEVE des CHEQUES IMPRIMES le ") + DateCheque(jour)) +
            "\r\n\r\n\r\n";
    else if (fin.endsWith('\r'))
        octets = "\n"; // cut between the two: "\r\n" would leave a stray CR in the line
    else if (!fin.endsWith('\n'))
        octets = "\r\n";
    return octets + EncoderCp1252(ligne) + "\r\n";
}

Resultat<> EcrireJournal(const QString& dossierJournaux, const QDateTime& maintenant,
                         const QString& montant, const QString& destinataire,
                         const QString& emetteur) {
    QDir().mkpath(dossierJournaux); // if it fails, opening the file says why
    const QString chemin = dossierJournaux + QLatin1Char('/') + NomJournal(maintenant.date());
    const QString ligne = LigneJournal(maintenant.time(), montant, destinataire, emetteur);
#ifdef Q_OS_UNIX
    const QByteArray nom = QFile::encodeName(chemin);
    const int fd = ::open(nom.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return Echouer(chemin, RaisonSysteme(errno));
    // Held until the close: the end read below stays the end, a take-back cuts
    // only this append's bytes, and a reader never takes a line being written
    // for a cut one. A file system without locks still gets its entry.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    int numero = 0;
    struct stat etat;
    off_t taille = 0;
    QByteArray fin;
    if (::fstat(fd, &etat) != 0) {
        numero = errno;
    } else {
        taille = etat.st_size;
        fin.resize(qsizetype(std::min<off_t>(taille, 2)));
        const ssize_t lus = ::pread(fd, fin.data(), std::size_t(fin.size()), taille - fin.size());
        if (lus != ssize_t(fin.size()))
            numero = lus < 0 ? errno : EIO;
    }
    if (numero == 0) {
        const QByteArray octets = AjoutAuJournal(fin, maintenant.date(), ligne);
        // The flush to disk too: a full disk may only show there.
        if (!EcrireTout(fd, octets) || ::fsync(fd) != 0) {
            numero = errno;
            if (::ftruncate(fd, taille) == 0)
                (void)::fsync(fd);
        }
    }
    // Once the entry is on disk, what close says changes nothing to it.
    ::close(fd);
    if (numero != 0)
        return Echouer(chemin, RaisonSysteme(numero));
    return {};
#elif defined(Q_OS_WIN)
    const PoigneeWindows h = OuvrirWindows(chemin, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (!h)
        return Echouer(chemin, RaisonSysteme(int(::GetLastError())));
    // As on Unix: held until the close, so the end stays the end and a reader
    // never takes a line being written for a cut one.
    int numero = 0;
    if (!VerrouillerWindows(h.get(), true, true))
        numero = int(::GetLastError());
    const std::optional<qint64> taille = numero ? std::nullopt : TailleWindows(h.get());
    QByteArray fin;
    if (!numero && !taille)
        numero = int(::GetLastError());
    if (!numero) {
        const qsizetype n = qsizetype(std::min<qint64>(*taille, 2));
        if (!LireAWindows(h.get(), *taille - n, n, fin))
            numero = int(::GetLastError());
    }
    if (!numero) {
        const QByteArray octets = AjoutAuJournal(fin, maintenant.date(), ligne);
        if (!TronquerWindows(h.get(), *taille) || !EcrireToutWindows(h.get(), octets) ||
            !::FlushFileBuffers(h.get())) {
            numero = int(::GetLastError());
            if (TronquerWindows(h.get(), *taille))
                ::FlushFileBuffers(h.get());
        }
    }
    if (numero != 0)
        return Echouer(chemin, RaisonSysteme(numero));
    return {};
#else
    QFile fichier(chemin);
    // Unbuffered: a write that fails is seen here, not lost inside close().
    if (!fichier.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return Echouer(chemin, fichier.errorString());
    const qint64 taille = fichier.size();
    QByteArray fin;
    if (taille > 0) {
        const qint64 n = std::min<qint64>(taille, 2);
        if (!fichier.seek(taille - n) || (fin = fichier.read(n)).size() != n ||
            !fichier.seek(taille))
            return Echouer(chemin, fichier.errorString());
    }
    const QByteArray octets = AjoutAuJournal(fin, maintenant.date(), ligne);
    if (fichier.write(octets) != octets.size() || !fichier.flush()) {
        const QString raison = fichier.errorString();
        fichier.resize(taille);
        return Echouer(chemin, raison);
    }
    return {};
#endif
}
