#include "registre/Base.h"

#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sqlite3.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Whether files can be made in the folder: the medium is asked, so that a
// read-only one is seen as such even by the super-user.
bool DossierModifiable(const QString& dossier) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(dossier).constData(), W_OK) == 0;
#else
    return QFileInfo(dossier).isWritable();
#endif
}

} // namespace

Base::~Base() {
    fermer();
}

Resultat<> Base::ouvrir(const QString& chemin) {
    fermer();
    const QByteArray nom = chemin.toUtf8();
    const int code =
        sqlite3_open_v2(nom.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const QString r = db_ ? raison() : raison(code);
        fermer();
        return Echec{r};
    }
    sqlite3_extended_result_codes(db_, 1);
    // Another program holding a write (the command line beside the window)
    // is waited for a while rather than taken for a failure.
    sqlite3_busy_timeout(db_, 5000);
    return {};
}

void Base::fermer() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

QString Base::raison(int code) const {
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("le disque est plein");
    case SQLITE_READONLY:
        return QStringLiteral("le registre ne peut pas être modifié (fichier ou dossier en "
                              "lecture seule)");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("l'accès au registre est refusé");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("le registre est occupé par un autre programme");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("le registre est endommagé");
    case SQLITE_CANTOPEN:
        return QStringLiteral("le fichier du registre ne peut pas être ouvert");
    case SQLITE_IOERR:
        return QStringLiteral("le disque a refusé une lecture ou une écriture");
    case SQLITE_NOMEM:
        return QStringLiteral("la mémoire manque");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("une règle du registre l'interdit");
    default:
        return QStringLiteral("erreur du registre (%1)")
            .arg(QString::fromUtf8(sqlite3_errstr(code)));
    }
}

QString Base::raison() const {
    if (!db_)
        return raison(SQLITE_CANTOPEN);
    const int code = sqlite3_extended_errcode(db_);
    // The system's own reason when it gave one: a full disk, a size limit.
    if ((code & 0xff) == SQLITE_IOERR || (code & 0xff) == SQLITE_FULL ||
        (code & 0xff) == SQLITE_CANTOPEN)
        if (const int numero = sqlite3_system_errno(db_); numero != 0) {
            // A register that is there but whose companions (-wal, -shm) cannot
            // be made: the last try, read-only, finds them missing. The folder
            // is what refuses, not a folder that would not exist.
            if ((code & 0xff) == SQLITE_CANTOPEN && numero == ENOENT) {
                const QFileInfo fichier(QString::fromUtf8(sqlite3_db_filename(db_, "main")));
                if (fichier.exists() && !DossierModifiable(fichier.absolutePath()))
                    return raison(SQLITE_READONLY);
            }
            return RaisonSysteme(numero);
        }
    return raison(code);
}

Resultat<> Base::executer(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return Echec{raison()};
    return {};
}

Base::Requete::Requete(Base& base, sqlite3_stmt* s, QString erreur)
    : base_(&base), s_(s), erreur_(std::move(erreur)) {}

Base::Requete::Requete(Requete&& autre) noexcept
    : base_(autre.base_), s_(autre.s_), erreur_(std::move(autre.erreur_)) {
    autre.s_ = nullptr;
}

Base::Requete::~Requete() {
    if (s_)
        sqlite3_finalize(s_);
}

Base::Requete Base::requete(const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK)
        return Requete(*this, nullptr, raison());
    return Requete(*this, s, {});
}

Base::Requete& Base::Requete::lier(int index, const QVariant& valeur) {
    if (!s_)
        return *this;
    int code = SQLITE_OK;
    if (valeur.isNull()) {
        code = sqlite3_bind_null(s_, index);
    } else if (valeur.typeId() == QMetaType::QString) {
        const QByteArray u = valeur.toString().toUtf8();
        code = sqlite3_bind_text(s_, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    } else {
        code = sqlite3_bind_int64(s_, index, valeur.toLongLong());
    }
    if (code != SQLITE_OK && erreur_.isEmpty())
        erreur_ = base_->raison();
    return *this;
}

bool Base::Requete::suivante() {
    if (!s_ || !erreur_.isEmpty())
        return false;
    const int code = sqlite3_step(s_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        erreur_ = base_->raison();
    return false;
}

Resultat<> Base::Requete::executer() {
    while (suivante()) {
    }
    if (!erreur_.isEmpty())
        return Echec{erreur_};
    return {};
}

void Base::Requete::recommencer() {
    if (s_) {
        sqlite3_reset(s_);
        sqlite3_clear_bindings(s_);
    }
}

std::int64_t Base::Requete::entier(int colonne) const {
    return sqlite3_column_int64(s_, colonne);
}

std::optional<std::int64_t> Base::Requete::entierOuRien(int colonne) const {
    if (sqlite3_column_type(s_, colonne) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int64(s_, colonne);
}

QString Base::Requete::texte(int colonne) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, colonne));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(s_, colonne)) : QString();
}

const char* Base::Requete::brut(int colonne) const {
    return reinterpret_cast<const char*>(sqlite3_column_text(s_, colonne));
}

int Base::Requete::taille(int colonne) const {
    return sqlite3_column_bytes(s_, colonne);
}

Resultat<std::optional<std::int64_t>> Base::entier(const char* sql,
                                                   std::initializer_list<QVariant> valeurs) {
    Requete q = requete(sql);
    int i = 1;
    for (const QVariant& v : valeurs)
        q.lier(i++, v);
    std::optional<std::int64_t> valeur;
    if (q.suivante())
        valeur = q.entierOuRien(0);
    if (q.echouee())
        return Echec{q.erreur()};
    return valeur;
}

std::int64_t Base::dernierId() const {
    return sqlite3_last_insert_rowid(db_);
}
int Base::modifiees() const {
    return sqlite3_changes(db_);
}

Transaction::Transaction(Base& base) : base_(base), commencee_(base.executer("BEGIN IMMEDIATE")) {
    finie_ = !commencee_;
}

Transaction::~Transaction() {
    if (!finie_)
        (void)base_.executer("ROLLBACK");
}

Resultat<> Transaction::valider() {
    if (finie_)
        return commencee_.ok() ? Resultat<>(Echec{QStringLiteral("transaction déjà finie")})
                               : commencee_;
    auto fait = base_.executer("COMMIT");
    if (!fait) {
        (void)base_.executer("ROLLBACK");
    }
    finie_ = true;
    return fait;
}
