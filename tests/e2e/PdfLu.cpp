#include "PdfLu.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>
#include <QXmlStreamReader>

namespace {

constexpr double kMmParPoint = 25.4 / 72.0;

} // namespace

const MotPdf* PagePdf::mot(const QString& texte) const {
    for (const MotPdf& m : mots)
        if (m.texte == texte)
            return &m;
    return nullptr;
}

PagePdf RemettreEnPaysage(const PagePdf& portrait) {
    PagePdf paysage;
    paysage.largeur = portrait.hauteur;
    paysage.hauteur = portrait.largeur;
    for (const MotPdf& m : portrait.mots)
        paysage.mots.append(
            {m.texte, portrait.hauteur - m.yMax, m.x, portrait.hauteur - m.y, m.xMax});
    return paysage;
}

PagePdf LirePdf(const QString& chemin, QString* erreur) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                     QStringLiteral("-l"), QStringLiteral("1"), chemin, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        if (erreur)
            *erreur = QStringLiteral("pdftotext a échoué sur %1 : %2")
                          .arg(chemin, QString::fromLocal8Bit(pdftotext.readAllStandardError()));
        return {};
    }
    PagePdf page;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"page") {
            page.largeur = a.value(QLatin1String("width")).toDouble() * kMmParPoint;
            page.hauteur = a.value(QLatin1String("height")).toDouble() * kMmParPoint;
        } else if (xml.name() == u"word") {
            MotPdf m;
            m.x = a.value(QLatin1String("xMin")).toDouble() * kMmParPoint;
            m.y = a.value(QLatin1String("yMin")).toDouble() * kMmParPoint;
            m.xMax = a.value(QLatin1String("xMax")).toDouble() * kMmParPoint;
            m.yMax = a.value(QLatin1String("yMax")).toDouble() * kMmParPoint;
            m.texte = xml.readElementText();
            page.mots.append(m);
        }
    }
    return page;
}

QString AttendrePdf(const QString& dossier, const QString& file, int secondes) {
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < secondes * 1000) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), file});
        lpstat.waitForFinished(10000);
        const bool fileVide = lpstat.readAllStandardOutput().trimmed().isEmpty();
        const QStringList pdf =
            QDir(dossier).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
        if (fileVide && !pdf.isEmpty())
            return QDir(dossier).filePath(pdf.first());
        QThread::msleep(100);
    }
    return {};
}

QPointF CoinImprimable(const QString& file, int orientation) {
    QPrinter p(QPrinterInfo::printerInfo(file), QPrinter::HighResolution);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    const QMarginsF m = p.pageLayout().minimumMargins();
    const double mm = QPageLayout::Millimeter == p.pageLayout().units() ? 1.0 : kMmParPoint;
    return {m.left() * mm, m.top() * mm};
}

std::optional<PagePdf> PageSortie(const QString& dossier, const QString& file, int secondes,
                                  QString* erreur) {
    const QString pdf = AttendrePdf(dossier, file, secondes);
    if (pdf.isEmpty()) {
        *erreur = QStringLiteral("aucun PDF sorti de la file en %1 s").arg(secondes);
        return std::nullopt;
    }
    PagePdf page = LirePdf(pdf, erreur);
    if (!erreur->isEmpty())
        return std::nullopt;
    return page;
}
