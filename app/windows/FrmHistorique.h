#pragma once

#include "windows/ModeleHistorique.h"

#include <QDialog>

struct AppScribane;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;

// Every cheque the journals hold, to sort, search, total and export; a
// double-click hands a cheque back to the main window to print it again.
class FrmHistorique final : public QDialog {
    Q_OBJECT

public:
    explicit FrmHistorique(AppScribane& app, QWidget* parent = nullptr);

    // Reads the journals again.
    void recharger();
    void exporterCsv();
    void exporterPdf();

signals:
    void chequeChoisi(const QString& montant, const QString& destinataire);

private:
    void filtrer();
    void choisir(const QModelIndex& index);
    // A file chosen in the save dialog, or empty.
    QString demanderFichier(const QString& titre, const QString& extension, const QString& filtre);

    AppScribane& app_;
    ModeleHistorique modele_;
    FiltreHistorique filtre_;
    QLineEdit* recherche_ = nullptr;
    QCheckBox* depuis_ = nullptr;
    QCheckBox* jusqua_ = nullptr;
    QDateEdit* du_ = nullptr;
    QDateEdit* au_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* ignorees_ = nullptr;
};
