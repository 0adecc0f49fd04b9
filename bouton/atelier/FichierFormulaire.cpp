#include "FichierFormulaire.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPixmap>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace atelier {

namespace {

constexpr char Signature[] = "BoutonKiv-Formulaire";
constexpr qint32 VersionFormat = 1;
constexpr QDataStream::Version VersionFlux = QDataStream::Qt_6_4;

// Far above any real form; beyond them a file is damaged.
constexpr qint64 MaxOctets = 64 * 1024 * 1024;
constexpr qint32 MaxControles = 10000;
constexpr qint32 MaxProprietes = 1000;
constexpr quint32 MaxCaracteres = 1024 * 1024;
constexpr quint32 MaxCaracteresNom = 1024;
constexpr quint32 MaxFamillesPolice = 64;
constexpr double MaxPointsPolice = 2160;
constexpr int MaxPixelsPolice = 2880;
constexpr quint32 MaxCoteImage = 16384;
constexpr quint64 MaxPixelsImage = 16 * 1024 * 1024;
constexpr int MaxPosition = 16777215;
constexpr double MaxTwips = 1e6;
// The least a control and a property take in the file: name, place, size and count; key and
// value type. A count is checked against them before anything it counts is read.
constexpr qsizetype OctetsMinControle = 6 + 8 + 16 + 4;
constexpr qsizetype OctetsMinPropriete = 6 + 5;

QString tropGrand() {
    return QStringLiteral("le fichier est endommagé (plus de %1 Mo)")
        .arg(MaxOctets / (1024 * 1024));
}

bouton::Resultat echec(const QString& texte) {
    return bouton::Resultat::erreur(bouton::code::Echec, texte);
}

// Walks the bytes as the stream wrote them, checking each length and count against what
// remains; each piece is then decoded by the stream from its own bytes only, and must use
// them all.
class Lecture {
public:
    explicit Lecture(const QByteArray& octets) : octets_(octets) {}

    qsizetype reste() const { return octets_.size() - position_; }
    const QString& pourquoi() const { return pourquoi_; }

    std::optional<qint32> entier() {
        const qsizetype debut = position_;
        return passer(4, "la fin du fichier manque") ? decoder<qint32>(debut) : std::nullopt;
    }
    std::optional<QByteArray> octets(quint32 max) {
        const qsizetype debut = position_;
        const auto n = longueur();
        if (!n)
            return std::nullopt;
        if (*n != 0xFFFFFFFF && (*n > max || !passer(*n, "la fin du fichier manque")))
            return refus("texte trop long ou tronqué");
        return decoder<QByteArray>(debut);
    }
    std::optional<QString> texte(quint32 maxCaracteres) {
        const qsizetype debut = position_;
        return chaine(maxCaracteres) ? decoder<QString>(debut) : std::nullopt;
    }
    std::optional<QPoint> point() {
        const qsizetype debut = position_;
        return passer(8, "position tronquée") ? decoder<QPoint>(debut) : std::nullopt;
    }
    std::optional<QSizeF> taille() {
        const qsizetype debut = position_;
        return passer(16, "taille tronquée") ? decoder<QSizeF>(debut) : std::nullopt;
    }
    // A property value of one of the types a control's bag holds.
    std::optional<QVariant> valeur();

private:
    template <typename T> std::optional<T> decoder(qsizetype debut) {
        QDataStream flux(QByteArray::fromRawData(octets_.constData() + debut, position_ - debut));
        flux.setVersion(VersionFlux);
        T valeur;
        flux >> valeur;
        if (flux.status() != QDataStream::Ok || !flux.atEnd())
            return refus("valeur illisible");
        return valeur;
    }
    std::nullopt_t refus(const char* raison) {
        pourquoi_ = QString::fromUtf8(raison);
        return std::nullopt;
    }
    bool passer(qint64 n, const char* raison) {
        if (n < 0 || n > reste()) {
            refus(raison);
            return false;
        }
        position_ += qsizetype(n);
        return true;
    }
    std::optional<quint32> longueur() {
        if (reste() < 4)
            return refus("la fin du fichier manque");
        const quint32 n = qFromBigEndian<quint32>(octets_.constData() + position_);
        position_ += 4;
        return n;
    }
    // A string: its length in bytes (all ones for a null string), then UTF-16.
    bool chaine(quint32 maxCaracteres) {
        const auto n = longueur();
        if (!n)
            return false;
        if (*n == 0xFFFFFFFF)
            return true;
        if (*n % 2 != 0 || *n / 2 > maxCaracteres || !passer(*n, "")) {
            refus("texte trop long ou tronqué");
            return false;
        }
        return true;
    }
    bool police();
    bool image();

    const QByteArray& octets_;
    qsizetype position_ = 0;
    QString pourquoi_;
};

// A font at this stream version: family and style names, point size (double), pixel size,
// style hint, strategy, weight, flags, stretch, more flags, letter and word spacing, hinting,
// capitalisation, then the list of families.
bool Lecture::police() {
    if (!chaine(MaxCaracteresNom) || !chaine(MaxCaracteresNom) ||
        !passer(8 + 4 + 1 + 2 + 2 + 1 + 2 + 1 + 4 + 4 + 1 + 1, "")) {
        refus("police tronquée");
        return false;
    }
    const auto familles = longueur();
    if (!familles || *familles > MaxFamillesPolice) {
        refus("police illisible");
        return false;
    }
    for (quint32 i = 0; i < *familles; ++i)
        if (!chaine(MaxCaracteresNom)) {
            refus("police tronquée");
            return false;
        }
    return true;
}

// A picture: 0 for none, otherwise PNG chunks from the header to the end chunk, the header
// giving a size that is checked before anything is decoded.
bool Lecture::image() {
    const auto marque = longueur();
    if (!marque)
        return false;
    if (*marque == 0)
        return true;
    static const char SignaturePng[] = "\x89PNG\r\n\x1a\n";
    if (reste() < 8 || std::memcmp(octets_.constData() + position_, SignaturePng, 8) != 0) {
        refus("image illisible");
        return false;
    }
    position_ += 8;
    for (bool entete = true;; entete = false) {
        const auto n = longueur();
        if (!n || *n > 0x7FFFFFFF || reste() < 4) {
            refus("image tronquée");
            return false;
        }
        const QByteArrayView type(octets_.constData() + position_, 4);
        if (entete) {
            if (type != "IHDR" || *n != 13 || reste() < 12) {
                refus("image illisible");
                return false;
            }
            const quint32 largeur = qFromBigEndian<quint32>(octets_.constData() + position_ + 4);
            const quint32 hauteur = qFromBigEndian<quint32>(octets_.constData() + position_ + 8);
            if (largeur == 0 || hauteur == 0 || largeur > MaxCoteImage || hauteur > MaxCoteImage ||
                quint64(largeur) * hauteur > MaxPixelsImage) {
                refus("image trop grande");
                return false;
            }
        }
        const bool fin = type == "IEND";
        // The type, the data and the check sum.
        if (!passer(4 + qint64(*n) + 4, "image tronquée"))
            return false;
        if (fin)
            return true;
    }
}

std::optional<QVariant> Lecture::valeur() {
    const qsizetype debut = position_;
    const auto type = longueur();
    if (!type || !passer(1, "valeur tronquée"))
        return refus("valeur tronquée");
    bool lisible = false;
    switch (*type) {
    case QMetaType::UnknownType:
        lisible = true;
        break;
    case QMetaType::Bool:
        lisible = passer(1, "valeur tronquée");
        break;
    case QMetaType::Short:
        lisible = passer(2, "valeur tronquée");
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
        lisible = passer(4, "valeur tronquée");
        break;
    // Single precision travels as a double at this stream version.
    case QMetaType::Float:
        lisible = passer(8, "valeur tronquée");
        break;
    case QMetaType::QString:
        lisible = chaine(MaxCaracteres);
        break;
    case QMetaType::QFont:
        lisible = police();
        break;
    case QMetaType::QPixmap:
        lisible = image();
        break;
    default:
        return refus("type de valeur inconnu");
    }
    if (!lisible)
        return std::nullopt;
    auto v = decoder<QVariant>(debut);
    if (v && v->typeId() != int(*type))
        return refus("valeur illisible");
    if (v && v->typeId() == QMetaType::QFont) {
        // A size the control's own setters refuse, or no size at all.
        const QFont f = v->value<QFont>();
        const double points = f.pointSizeF();
        const int pixels = f.pixelSize();
        const bool enPoints = points > 0 && points <= MaxPointsPolice && pixels == -1;
        const bool enPixels = points == -1 && pixels > 0 && pixels <= MaxPixelsPolice;
        if (!(enPoints || enPixels) || f.weight() < 1 || f.weight() > 1000)
            return refus("police hors limites");
    }
    return v;
}

} // namespace

QByteArray FormaterFormulaire(const QList<ControleEnregistre>& form) {
    QByteArray octets;
    QDataStream flux(&octets, QIODevice::WriteOnly);
    flux.setVersion(VersionFlux);
    flux << QByteArray(Signature) << VersionFormat << qint32(form.size());
    for (const ControleEnregistre& c : form) {
        flux << c.nom << c.position << c.tailleTwips << qint32(c.proprietes.size());
        for (const auto& p : c.proprietes)
            flux << p.cle << p.valeur;
    }
    return octets;
}

std::optional<QList<ControleEnregistre>> AnalyserFormulaire(const QByteArray& octets,
                                                            QString* raison) {
    auto refus = [&](const QString& texte) {
        if (raison)
            *raison = texte;
        return std::nullopt;
    };
    auto endommage = [&](const QString& detail) {
        return refus(QStringLiteral("le fichier est endommagé (%1)").arg(detail));
    };
    if (octets.size() > MaxOctets)
        return refus(tropGrand());
    Lecture lecture(octets);
    const auto signature = lecture.octets(64);
    const auto version = lecture.entier();
    if (!signature || *signature != Signature || !version || *version != VersionFormat)
        return refus(QStringLiteral("ce n'est pas un formulaire BoutonKiv"));
    const auto nombre = lecture.entier();
    if (!nombre)
        return endommage(lecture.pourquoi());
    if (*nombre < 0 || *nombre > MaxControles || *nombre > lecture.reste() / OctetsMinControle)
        return endommage(QStringLiteral("%1 contrôles annoncés").arg(*nombre));

    QList<ControleEnregistre> form;
    QSet<QString> noms;
    for (qint32 i = 0; i < *nombre; ++i) {
        ControleEnregistre c;
        const auto nom = lecture.texte(MaxCaracteresNom);
        if (!nom || nom->isEmpty())
            return endommage(QStringLiteral("contrôle %1 : nom absent ou illisible").arg(i + 1));
        c.nom = *nom;
        if (noms.contains(c.nom))
            return endommage(QStringLiteral("le nom « %1 » est pris deux fois").arg(c.nom));
        noms.insert(c.nom);
        const QString quel = QStringLiteral("contrôle « %1 »").arg(c.nom);

        const auto position = lecture.point();
        auto coordonnee = [](int px) { return px >= -MaxPosition && px <= MaxPosition; };
        if (!position || !coordonnee(position->x()) || !coordonnee(position->y()))
            return endommage(quel + QStringLiteral(" : position illisible ou hors limites"));
        c.position = *position;
        const auto taille = lecture.taille();
        auto dimension = [](double twips) { return twips >= 0 && twips <= MaxTwips; };
        if (!taille || !dimension(taille->width()) || !dimension(taille->height()))
            return endommage(quel + QStringLiteral(" : taille illisible ou hors limites"));
        c.tailleTwips = *taille;

        const auto proprietes = lecture.entier();
        if (!proprietes || *proprietes < 0 || *proprietes > MaxProprietes ||
            *proprietes > lecture.reste() / OctetsMinPropriete)
            return endommage(quel + QStringLiteral(" : nombre de propriétés impossible"));
        for (qint32 j = 0; j < *proprietes; ++j) {
            bouton::hote::SacMemoire::Entree e;
            const auto cle = lecture.texte(MaxCaracteresNom);
            if (!cle || cle->isEmpty())
                return endommage(
                    quel + QStringLiteral(", propriété %1 : nom absent ou illisible").arg(j + 1));
            e.cle = *cle;
            const auto valeur = lecture.valeur();
            if (!valeur)
                return endommage(
                    quel +
                    QStringLiteral(", propriété « %1 » : %2").arg(e.cle, lecture.pourquoi()));
            e.valeur = *valeur;
            c.proprietes.append(e);
        }
        form.append(c);
    }
    if (lecture.reste() != 0)
        return endommage(QStringLiteral("des données suivent le dernier contrôle"));
    return form;
}

bouton::Resultat EcrireFormulaire(const QString& chemin, const QList<ControleEnregistre>& form) {
    const QString nom = QDir::toNativeSeparators(chemin);
    const QByteArray octets = FormaterFormulaire(form);
    // What reading would refuse is not written: the form stays in the window, unsaved.
    QString raison;
    if (!AnalyserFormulaire(octets, &raison))
        return echec(
            QStringLiteral("Le formulaire « %1 » n'a pas été écrit : il ne pourrait pas être relu, "
                           "%2.")
                .arg(nom, raison));
    // Unbuffered, so that a full disk shows in the write before the file replaces the
    // previous one.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return echec(QStringLiteral("Le formulaire « %1 » ne peut pas être écrit : %2")
                         .arg(nom, fichier.errorString()));
    if (fichier.write(octets) != octets.size() || !fichier.commit())
        return echec(QStringLiteral("Le formulaire « %1 » n'a pas pu être écrit : %2")
                         .arg(nom, fichier.errorString()));
    return bouton::Resultat::ok();
}

std::optional<QList<ControleEnregistre>> LireFormulaire(const QString& chemin,
                                                        bouton::Resultat* resultat) {
    const QString nom = QDir::toNativeSeparators(chemin);
    auto refus = [&](const QString& texte) {
        if (resultat)
            *resultat = echec(texte);
        return std::nullopt;
    };
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return refus(QStringLiteral("Le formulaire « %1 » ne peut pas être lu : %2")
                         .arg(nom, fichier.errorString()));
    // Read by pieces, up to one byte past the limit: that is enough to refuse a file too large,
    // and a device or a pipe has no size to trust.
    auto illisible = [&](const QString& raison) {
        return refus(
            QStringLiteral("Le formulaire « %1 » ne peut pas être ouvert : %2.").arg(nom, raison));
    };
    if (!fichier.isSequential() && fichier.size() > MaxOctets)
        return illisible(tropGrand());
    QByteArray octets;
    while (octets.size() <= MaxOctets) {
        const QByteArray morceau =
            fichier.read(std::min<qint64>(1024 * 1024, MaxOctets + 1 - octets.size()));
        if (morceau.isEmpty())
            break;
        octets += morceau;
    }
    if (fichier.error() != QFileDevice::NoError)
        return refus(QStringLiteral("Le formulaire « %1 » ne peut pas être lu : %2")
                         .arg(nom, fichier.errorString()));
    QString raison;
    auto form = AnalyserFormulaire(octets, &raison);
    if (!form)
        return illisible(raison);
    return form;
}

} // namespace atelier
