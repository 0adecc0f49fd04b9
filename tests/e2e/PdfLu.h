#pragma once

#include <QPointF>
#include <QString>
#include <QVector>

#include <optional>

// The words of a PDF page as pdftotext -bbox reads them, in millimetres from
// the page's top-left corner.
struct MotPdf {
    QString texte;
    double x = 0;
    double y = 0;
    double xMax = 0;
    double yMax = 0;
};

struct PagePdf {
    double largeur = 0;
    double hauteur = 0;
    QVector<MotPdf> mots;
    const MotPdf* mot(const QString& texte) const;
};

// A landscape page that came out on portrait paper, its content turned a
// quarter turn anticlockwise (the way print filters put landscape on paper),
// seen again as the landscape page it is: x and y of each word measured from
// the landscape page's top-left corner.
PagePdf RemettreEnPaysage(const PagePdf& portrait);

// Reads the first page; an empty page and a message when pdftotext fails.
PagePdf LirePdf(const QString& chemin, QString* erreur);

// The printable area's top-left corner of a queue's A4 page, in millimetres,
// for an orientation (1 portrait, 2 landscape).
QPointF CoinImprimable(const QString& file, int orientation = 1);

// Waits for the queue to be empty and a PDF to be in the folder; its path, or
// an empty text after `secondes`.
QString AttendrePdf(const QString& dossier, const QString& file, int secondes);

// The first page of the PDF a queue writes into `dossier`, read once it is
// there (within `secondes`); nothing and the reason when it does not come or
// cannot be read.
std::optional<PagePdf> PageSortie(const QString& dossier, const QString& file, int secondes,
                                  QString* erreur);
